#include "app/StartUp.h"

#include "app/RegistryKey.h"
#include "app/StoredSettingNames.h"
#include "ui/CMameBrowser.h"
#include "ui/CPellaquinDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

void RunStartUp(std::string& inputXmlPath) {
    inputXmlPath.clear();
    CRegistryKey settings(0);
    CPellaquinDlg mainWindow;
    mainWindow.m_firstRun = false;

    // The settings key exists once "Set" has been pressed; until then every start is a first run.
    if (settings.Open(SETTINGS_KEY, HKEY_CURRENT_USER, KEY_QUERY_VALUE | KEY_SET_VALUE)) {
        inputXmlPath = settings.Value(INPUT_VALUE).Text();
        settings.Close();
        mainWindow.m_inputPath = inputXmlPath;
    } else {
        CMameBrowser welcome;
        if (RunModal(welcome) != QDialog::Accepted) {
            return;
        }
        mainWindow.m_firstRun = true;
    }
    mainWindow.OnInitDialog();
    RunModal(mainWindow);
}

} // namespace pellaquin
