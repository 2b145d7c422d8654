#pragma once

#include <QFont>
#include <QHash>
#include <QSizeF>
#include <QStaticText>
#include <QString>

// Label texts laid out once for one font and kept between paints: laying a
// text out costs several times what drawing it does, and a figure is redrawn
// at every edit with nearly all of its labels unchanged. Texts are kept by
// their wording, so an edited label is laid out anew.
class LabelTexts
{
public:
    struct Text
    {
        QSizeF size;
        // Texts of several lines are only measured: a static text would
        // place their antialiased edges a little differently from drawText.
        bool multiline = false;
        QStaticText line; // single-line texts, drawn from their top left
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
