// Times what the main window does when "Go!" lists every game of a file as XML in the view: the run
// into memory, the line ends the view needs, and the view taking the text. Prints the seconds from the
// click to the list shown and the process's peak memory against the file's size.
//
//     QT_QPA_PLATFORM=offscreen pellaquin-show-whole-list FILE

#include "ui/CPellaquinDlg.h"
#include "ui/ModalSeam.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include <sys/resource.h>

int main(int argc, char** argv) {
    using namespace pellaquin;
    if (argc != 2) {
        std::fprintf(stderr, "usage: pellaquin-show-whole-list FILE\n");
        return 2;
    }
    QApplication application(argc, argv);
    // Any message box would stop the measure: each is answered at once.
    SetModalRunner([](QDialog& prompt) {
        prompt.accept();
        return int(QDialog::Accepted);
    });
    CPellaquinDlg window;
    window.m_inputPath = argv[1];
    window.OnInitDialog();
    window.show();
    window.findChild<QAbstractButton*>(QString::number(ListTypeOf(ListType::XML).controlId))->setChecked(true);
    window.findChild<QLineEdit*>(QString::number(CPellaquinDlg::ID_COMMAND_LINE))->setText(QStringLiteral("="));
    auto start = std::chrono::steady_clock::now();
    window.RunSearch();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    double fileMegabytes = static_cast<double>(std::filesystem::file_size(argv[1])) / (1 << 20);
    double peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024;
    std::printf("shown in %.3f s; peak %.1f MB for a file of %.1f MB (%.2f times)\n", seconds, peakMegabytes,
                fileMegabytes, peakMegabytes / fileMegabytes);
    return 0;
}
