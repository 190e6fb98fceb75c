#include "ui/ResultView.h"

#include <algorithm>
#include <cstring>

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "ui/QtText.h"

namespace pellaquin {

namespace {

constexpr int TAB_WIDTH = 4;
// The most of one line that is laid out: more than the widest scroll reaches, and short enough that a line of
// hundreds of megabytes is never handed to the text layout whole.
constexpr std::size_t MOST_LAID_OUT = 1 << 17;

// The line as the screen shows it: tabs out to the next stop of four, no CR at the end.
QString DisplayLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    line = line.substr(0, MOST_LAID_OUT);
    QString shown = ToQString(line);
    if (!shown.contains('\t')) {
        return shown;
    }
    QString expanded;
    for (QChar c : shown) {
        if (c == '\t') {
            expanded += QString(TAB_WIDTH - expanded.size() % TAB_WIDTH, ' ');
        } else {
            expanded += c;
        }
    }
    return expanded;
}

} // namespace

ResultView::ResultView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    SetText(std::string());
}

void ResultView::SetText(std::string text) {
    SetText(std::make_shared<const std::string>(std::move(text)));
}

void ResultView::SetText(std::shared_ptr<const std::string> shared) {
    m_text = std::move(shared);
    const std::string& text = *m_text;
    m_lineStarts.clear();
    // Counted first, so the index of a list of millions of lines takes its room once.
    m_lineStarts.shrink_to_fit();
    m_lineStarts.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    m_longestLine = 0;
    std::size_t start = 0;
    for (;;) {
        m_lineStarts.push_back(start);
        const void* lineFeed = std::memchr(text.data() + start, '\n', text.size() - start);
        std::size_t end = lineFeed == nullptr ? text.size() : static_cast<const char*>(lineFeed) - text.data();
        m_longestLine = std::max(m_longestLine, end - start);
        if (lineFeed == nullptr || end + 1 == text.size()) {
            break;
        }
        start = end + 1;
    }
    m_selectionAnchor = m_selectionEnd = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    UpdateScrollBars();
    viewport()->update();
}

std::string_view ResultView::Line(std::size_t line) const {
    std::size_t start = m_lineStarts[line];
    const std::string& text = *m_text;
    std::size_t end = line + 1 < m_lineStarts.size() ? m_lineStarts[line + 1] - 1 : text.size();
    if (end > start && line + 1 == m_lineStarts.size() && text[end - 1] == '\n') {
        --end;
    }
    return std::string_view(text).substr(start, end - start);
}

int ResultView::LineHeight() const {
    return fontMetrics().height();
}

std::size_t ResultView::LineAt(int y) const {
    auto line = static_cast<std::size_t>(std::max(0, verticalScrollBar()->value() + y / LineHeight()));
    return std::min(line, m_lineStarts.size() - 1);
}

void ResultView::UpdateScrollBars() {
    int visibleLines = std::max(1, viewport()->height() / LineHeight());
    verticalScrollBar()->setRange(0, std::max(0, static_cast<int>(m_lineStarts.size()) - visibleLines));
    verticalScrollBar()->setPageStep(visibleLines);
    int charWidth = fontMetrics().horizontalAdvance(' ');
    int width = static_cast<int>(std::min<std::size_t>(m_longestLine * TAB_WIDTH, 1 << 20)) * charWidth;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(charWidth * 4);
}

void ResultView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ResultView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    int height = LineHeight();
    std::size_t first = static_cast<std::size_t>(verticalScrollBar()->value());
    std::size_t selectedFrom = static_cast<std::size_t>(std::min(m_selectionAnchor, m_selectionEnd));
    std::size_t selectedTo = static_cast<std::size_t>(std::max(m_selectionAnchor, m_selectionEnd));
    // Half a letter's room before the text, at any scale.
    int x = fontMetrics().averageCharWidth() / 2 - horizontalScrollBar()->value();
    for (std::size_t line = first; line < m_lineStarts.size(); ++line) {
        int top = static_cast<int>(line - first) * height;
        if (top > viewport()->height()) {
            break;
        }
        QRect row(0, top, viewport()->width(), height);
        bool selected = m_selectionAnchor >= 0 && line >= selectedFrom && line <= selectedTo;
        if (selected) {
            painter.fillRect(row, palette().highlight());
        }
        painter.setPen(selected ? palette().highlightedText().color() : palette().text().color());
        painter.drawText(QRect(x, top, 1 << 24, height), Qt::AlignLeft | Qt::AlignVCenter, DisplayLine(Line(line)));
    }
}

std::string ResultView::SelectedText() const {
    if (m_selectionAnchor < 0) {
        return {};
    }
    auto from = static_cast<std::size_t>(std::min(m_selectionAnchor, m_selectionEnd));
    auto to = static_cast<std::size_t>(std::max(m_selectionAnchor, m_selectionEnd));
    std::size_t end = to + 1 < m_lineStarts.size() ? m_lineStarts[to + 1] - 1 : m_text->size();
    return m_text->substr(m_lineStarts[from], end - m_lineStarts[from]);
}

void ResultView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::SelectAll)) {
        m_selectionAnchor = 0;
        m_selectionEnd = static_cast<std::ptrdiff_t>(m_lineStarts.size()) - 1;
        viewport()->update();
    } else if (event->matches(QKeySequence::Copy)) {
        if (m_selectionAnchor >= 0) {
            QApplication::clipboard()->setText(ToQString(SelectedText()));
        }
    } else if (event->key() == Qt::Key_Home || event->key() == Qt::Key_End) {
        verticalScrollBar()->setValue(event->key() == Qt::Key_Home ? 0 : verticalScrollBar()->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void ResultView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_selectionAnchor = m_selectionEnd = static_cast<std::ptrdiff_t>(LineAt(event->position().toPoint().y()));
        viewport()->update();
    }
}

void ResultView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) != 0 && m_selectionAnchor >= 0) {
        m_selectionEnd = static_cast<std::ptrdiff_t>(LineAt(event->position().toPoint().y()));
        viewport()->update();
    }
}

} // namespace pellaquin
