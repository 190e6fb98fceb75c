#include "ui/CMameBrowser.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/DialogParts.h"

namespace pellaquin {

CMameBrowser::CMameBrowser(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pellaquin"));

    QLabel* welcome = MakeStaticText(this, "Welcome!");
    QLabel* firstTime = MakeStaticText(
        this, "If you're seeing this message, that means it's the first time you've launched the program.");
    QLabel* settingsNext = MakeStaticText(this, "Pellaquin needs to know where a few files are in order to work "
                                                "properly.  I'll take you to the settings window now.");
    firstTime->setWordWrap(true);
    settingsNext->setWordWrap(true);

    QPushButton* quit = MakeButton(this, ID_CANCEL, "Quit");
    QPushButton* next = MakeButton(this, ID_OK, "Next >>>");
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &QDialog::accept);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(welcome, 0, 0);
    layout->addWidget(firstTime, 1, 0);
    layout->addWidget(settingsNext, 2, 0);
    layout->addWidget(quit, 0, 1, Qt::AlignTop);
    layout->addWidget(next, 3, 1, Qt::AlignBottom);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);
    // Word-wrapped texts in a layout shrink to a narrow column unless given room; about the template's width.
    firstTime->setMinimumWidth(24 * fontMetrics().averageCharWidth());
}

} // namespace pellaquin
