#include "figure/LabelTexts.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <cmath>

namespace {

LabelTexts::Line lineOf(const QTextLine &line)
{
    return {line.glyphRuns(), line.horizontalAdvance()};
}

// As QStaticText lays out plain text: leading included, no wrapping.
void layOutAsStaticText(const QString &text, const QFont &font, LabelTexts::Text &out)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    for (int i = 0; i < layout.lineCount(); ++i)
        out.lines << lineOf(layout.lineAt(i));
}

// As QPainter::drawText(rect, flags, text) lays out text with line breaks:
// each line on the first whole pixel past the one before and its leading,
// aligned later by its own advance.
void layOutAsDrawnText(QString text, const QFont &font, LabelTexts::Text &out)
{
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setFlags(option.flags() | QTextOption::IncludeTrailingSpaces);
    QTextLayout layout(text, font);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(0x01000000);
        height = std::ceil(height + leading); // each line on a whole pixel
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent(); // unlike height(), not rounded up
    }
    layout.endLayout();
    out.height = height;
    for (int i = 0; i < layout.lineCount(); ++i)
        out.lines << lineOf(layout.lineAt(i));
}

} // namespace

void LabelTexts::begin(const QFont &font)
{
    if (font != m_font) {
        m_texts.clear();
        m_font = font;
    }
    ++m_paint;
    m_asked = 0;
}

const LabelTexts::Text &LabelTexts::of(const QString &text)
{
    Kept &kept = m_texts[text];
    if (kept.paint == 0) {
        const QFontMetricsF metrics(m_font);
        kept.text.multiline = text.contains(QLatin1Char('\n'));
        if (kept.text.multiline) {
            kept.text.size = metrics.boundingRect(QRectF(), Qt::AlignCenter, text).size();
            layOutAsDrawnText(text, m_font, kept.text);
        } else {
            kept.text.size = QSizeF(metrics.horizontalAdvance(text), metrics.height());
            layOutAsStaticText(text, m_font, kept.text);
        }
    }
    if (kept.paint != m_paint)
        ++m_asked;
    kept.paint = m_paint;
    return kept.text;
}

void LabelTexts::end()
{
    // Only worth a pass when the figure lost labels.
    if (m_texts.size() == m_asked)
        return;
    m_texts.removeIf([this](QHash<QString, Kept>::iterator entry) { return entry->paint != m_paint; });
}
