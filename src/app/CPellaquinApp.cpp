#include "app/CPellaquinApp.h"

#include "app/StartUp.h"
#include "ui/ApplicationIcon.h"
#include "ui/MessageBoxes.h"
#include "ui/QtFileDialogs.h"

namespace pellaquin {

CPellaquinApp::CPellaquinApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(APPLICATION_NAME);
    setDesktopFileName(QStringLiteral(PELLAQUIN_APP_ID));
    setWindowIcon(ApplicationIcon());
}

int CPellaquinApp::InitInstance() {
    InstallQtFileDialogs();
    RunStartUp(m_inputXmlPath);
    return 0;
}

} // namespace pellaquin
