#include "app/StartUp.h"

#include "app/StoredSettings.h"
#include "ui/CMameBrowser.h"
#include "ui/CPellaquinDlg.h"
#include "ui/ModalSeam.h"

namespace pellaquin {

void RunStartUp(std::string& inputXmlPath) {
    inputXmlPath.clear();
    CPellaquinDlg mainWindow;
    mainWindow.m_firstRun = false;

    // The settings key exists once "Set" has been pressed; until then every start is a first run.
    if (std::optional<StoredSettings> stored = LoadStoredSettings()) {
        inputXmlPath = stored->inputXmlFile;
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
