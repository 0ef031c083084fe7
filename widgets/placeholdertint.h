#pragma once

#include <QColor>
#include <QObject>

class QWidget;

// Style sheets give placeholder text the colour of typed text. This application-wide
// filter draws the placeholder of line and text edits part of the way toward the field's
// background instead, again after every sheet change.
class PlaceholderTint : public QObject
{
    Q_OBJECT

public:
    // Installs the filter on the application; later calls do nothing.
    static void install();
    // The placeholder colour for `text` on `base`.
    static QColor tint(const QColor &text, const QColor &base);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PlaceholderTint(QObject *parent);
    static void apply(QWidget *widget);
};
