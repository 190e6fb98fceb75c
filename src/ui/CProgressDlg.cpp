#include "ui/CProgressDlg.h"

#include <algorithm>

#include <QApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "records/InputFile.h"
#include "ui/DialogParts.h"
#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr int DEFAULT_UPPER_BOUND = 100;

} // namespace

CProgressDlg::CProgressDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Progress..."));

    // Kept for its id. QDialog hands Enter only to a visible default button, so hidden it leaves the window open.
    QPushButton* stop = MakeButton(this, ID_STOP, "STOP");
    stop->setDefault(true);
    stop->hide();

    m_firstLineLabel = MakeStaticText(this, "", ID_FIRST_LINE);
    m_secondLineLabel = MakeStaticText(this, "", ID_SECOND_LINE);
    m_secondLineLabel->setWordWrap(true);
    m_secondLineLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_secondLineLabel->setMinimumHeight(2 * m_secondLineLabel->fontMetrics().lineSpacing());

    // Stands where the animation sat; no clip was ever played in it.
    QLabel* animation = MakeStaticText(this, "", ID_ANIMATION);
    animation->setAlignment(Qt::AlignCenter);

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QString::number(ID_BAR));
    m_bar->setRange(0, DEFAULT_UPPER_BOUND);
    m_bar->setValue(0);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_firstLineLabel, 0, 0);
    layout->addWidget(animation, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignTop);
    layout->addWidget(m_secondLineLabel, 1, 0);
    layout->addWidget(m_bar, 2, 0, 1, 2);
    layout->addWidget(stop, 3, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);
}

CProgressDlg::~CProgressDlg() {
    if (m_followedFile != nullptr) {
        m_followedFile->SetProgressObserver(nullptr);
    }
    if (!isVisible()) {
        return;
    }
    // Input queued during the job reaches the windows while this one still blocks them, and goes no further.
    QApplication::processEvents();
    hide();
}

void CProgressDlg::Start(bool rangeFlag, int upperBound, const std::string& firstLine, const std::string& secondLine) {
    m_bar->setRange(0, rangeFlag ? upperBound : DEFAULT_UPPER_BOUND);
    // Blocked rather than disabled, the other windows keep showing which of their boxes are on and off.
    setWindowModality(parentWidget() != nullptr ? Qt::WindowModal : Qt::ApplicationModal);
    show();
    m_bar->setValue(0);
    SetLines(firstLine, secondLine);
    // The job starts right after this on the same thread; without a turn of the loop the window would stay blank.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CProgressDlg::SetLines(const std::string& firstLine, const std::string& secondLine) {
    m_firstLineLabel->setText(ToDisplayText(firstLine));
    m_secondLineLabel->setText(ToDisplayText(secondLine));
}

void CProgressDlg::Step() {
    int next = m_bar->value() + 1;
    m_bar->setValue(next > m_bar->maximum() ? m_bar->minimum() : next);
}

void CProgressDlg::ShowBusy() {
    m_bar->setRange(0, 0);
}

void CProgressDlg::FollowFile(InputFile& file) {
    if (m_followedFile != nullptr && m_followedFile != &file) {
        m_followedFile->SetProgressObserver(nullptr);
    }
    m_followedFile = &file;
    file.SetProgressObserver([this](std::int64_t position, std::int64_t size) { ShowProgress(position, size); });
}

void CProgressDlg::ShowProgress(std::int64_t part, std::int64_t whole) {
    if (whole <= 0) {
        return;
    }
    double share = static_cast<double>(std::clamp<std::int64_t>(part, 0, whole)) / static_cast<double>(whole);
    int span = m_bar->maximum() - m_bar->minimum();
    int value = m_bar->minimum() + static_cast<int>(share * span);
    if (value == m_bar->value()) {
        // A turn of the event loop per read would cost more than the read; only a moved bar needs one.
        return;
    }
    m_bar->setValue(value);
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace pellaquin
