#include "figure/LabelTexts.h"

#include <QFontMetricsF>

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
        } else {
            kept.text.size = QSizeF(metrics.horizontalAdvance(text), metrics.height());
            kept.text.line.setText(text);
            kept.text.line.setTextFormat(Qt::PlainText);
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
