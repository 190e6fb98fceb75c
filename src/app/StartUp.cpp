#include "app/StartUp.h"

#include "settings/StoredSettings.h"
#include "ui/CMameBrowser.h"
#include "ui/CPellaquinDlg.h"
#include "ui/MessageBoxes.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

void RunStartUp(std::string& inputXmlPath) {
    inputXmlPath.clear();
    CPellaquinDlg mainWindow;
    mainWindow.m_firstRun = false;

    // The settings file exists once "Set" has been pressed; until then every start is a first run. So is
    // a start on a damaged file, which stays as it is until "Set" replaces it.
    SettingsLoad stored = ReadStoredSettings();
    if (!stored.problem.empty()) {
        ShowMessage(nullptr, SettingsUnreadableMessage(stored.problem), MessageIcon::EXCLAMATION);
    }
    if (stored.settings) {
        inputXmlPath = stored.settings->inputXmlFile;
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
