#include "ui/common/FormControls.h"

#include "platform/listview/ListView.h"

#include <QShortcut>

ListView *makeList(QWidget *parent, const char *name, int left, int top, int width, int height)
{
    auto *list = new ListView(parent);
    list->setObjectName(QLatin1String(name));
    placeInTwips(list, left, top, width, height);
    return list;
}

void designWindow(QWidget *window, const char *name, int width, int height, const QString &caption)
{
    window->setObjectName(QLatin1String(name));
    if (!caption.isEmpty())
        window->setWindowTitle(caption);
    setFixedClientTwips(window, width, height);
    window->setFont(formFont());
}

QFont fontOf(const QStringList &families, int pointSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFont formFont()
{
    return fontOf({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                   QStringLiteral("Noto Serif CJK SC")},
                  9);
}

QFont kaiFont(int pointSize, bool bold)
{
    return fontOf({QStringLiteral("楷体"), QStringLiteral("KaiTi"), QStringLiteral("AR PL UKai CN"),
                   QStringLiteral("Noto Serif CJK SC")},
                  pointSize, bold);
}

void addItemsKeepingText(QComboBox *combo, const QStringList &items)
{
    const QString text = combo->currentText();
    combo->addItems(items);
    combo->setCurrentText(text);
}

void setTabOrderOf(const QList<QWidget *> &widgets)
{
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

void addSaveKey(QWidget *window, QPushButton *save)
{
    auto *key = new QShortcut(QKeySequence::Save, window);
    QObject::connect(key, &QShortcut::activated, save, [save] {
        if (!save->isEnabled())
            return;
        save->setFocus(Qt::ShortcutFocusReason);
        save->click();
    });
}
