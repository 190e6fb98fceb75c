#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractScrollArea>

namespace pellaquin {

// A read-only view of a text of any size: one game record or a list of hundreds of megabytes. Only
// the lines on screen are laid out, so showing a whole listing takes as long as finding its lines.
// Whole lines are selected with the mouse (or all of them with Ctrl+A) and copied with Ctrl+C.
class ResultView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ResultView(QWidget* parent = nullptr);

    // Shows `text` (bytes); a line ends at "\n", and a "\r" before it is not shown.
    void SetText(std::string text);
    // Shows a text it shares with its owner, so a list of hundreds of megabytes is held once.
    void SetText(std::shared_ptr<const std::string> text);
    // The text shown, as given.
    const std::string& Text() const { return *m_text; }
    std::size_t LineCount() const { return m_lineStarts.size(); }
    // The selected lines joined by "\n", or nothing.
    std::string SelectedText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::string_view Line(std::size_t line) const;
    std::size_t LineAt(int y) const;
    int LineHeight() const;
    void UpdateScrollBars();

    std::shared_ptr<const std::string> m_text;
    std::vector<std::size_t> m_lineStarts;
    std::size_t m_longestLine = 0;
    // The selected lines run from the anchor to the end line, either way round; none while negative.
    std::ptrdiff_t m_selectionAnchor = -1;
    std::ptrdiff_t m_selectionEnd = -1;
};

} // namespace pellaquin
