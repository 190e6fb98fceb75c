#pragma once

#include <string>

#include <QApplication>

namespace pellaquin {

// The application object: it decides between a normal start and a first run, then runs the main
// window, whose closing ends the program.
class CPellaquinApp : public QApplication {
    Q_OBJECT
public:
    CPellaquinApp(int& argc, char** argv);

    // The start-up sequence. Returns the process's exit status.
    int InitInstance();

    // The input file path read from the stored settings at start-up.
    std::string m_inputXmlPath;
};

} // namespace pellaquin
