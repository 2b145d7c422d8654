#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>

// Label texts laid out once for one font and kept between paints: laying a
// text out costs several times what drawing it does, and a figure is redrawn
// at every edit with nearly all of its labels unchanged. Texts are kept by
// their wording, so an edited label is laid out anew.
class LabelTexts
{
public:
    // One line's glyphs, positioned as QPainter lays the text out: a single
    // line as a static text drawn from its box's top left, lines of a text with
    // breaks as drawText places them in their box, before the line's alignment.
    struct Line
    {
        QList<QGlyphRun> runs;
        qreal advance = 0;
    };
    struct Text
    {
        QSizeF size;
        bool multiline = false;
        qreal height = 0; // of the lines drawText stacks, which centre in the box
        QList<Line> lines;
    };

    // Starts a paint in `font`; a different font drops every text laid out so far.
    void begin(const QFont &font);
    const Text &of(const QString &text);
    // Drops the texts the paint since `begin` did not ask for.
    void end();

private:
    struct Kept
    {
        Text text;
        unsigned paint = 0;
    };

    QFont m_font;
    QHash<QString, Kept> m_texts;
    unsigned m_paint = 0;
    qsizetype m_asked = 0;
};
