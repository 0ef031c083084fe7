#pragma once

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QSize>

class QHBoxLayout;
class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// A frameless window shell: its own title bar (icon, title, theme menu, minimise,
// maximise, close) above a content area holding one main widget.
class QUIWidget : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString title READ getTitle WRITE setTitle)
    Q_PROPERTY(Qt::Alignment alignment READ getAlignment WRITE setAlignment)
    Q_PROPERTY(bool minHide READ getMinHide WRITE setMinHide)
    Q_PROPERTY(bool exitAll READ getExitAll WRITE setExitAll)

public:
    // The part of the title bar an operation applies to.
    enum Widget
    {
        Lab_Ico = 0,
        BtnMenu = 1,
        BtnMenu_Min = 2,
        BtnMenu_Max = 3,
        BtnMenu_Normal = 4, // the maximise button's restore glyph
        BtnMenu_Close = 5,
    };
    Q_ENUM(Widget)

    explicit QUIWidget(QWidget *parent = nullptr);

    // The theme menu's captions; the index is the theme number.
    static const QStringList &themeCaptions();

    QString getTitle() const { return title; }
    Qt::Alignment getAlignment() const { return alignment; }
    bool getMinHide() const { return minHide; }
    bool getExitAll() const { return exitAll; }
    QWidget *getMainWidget() const { return mainWidget; }

    using QDialog::setVisible;

signals:
    void changeStyle(const QString &qssFile);
    void closing();

protected:
    // Drags the shell by its title bar while "canMove" is true.
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void initControl();
    void initForm();
    void changeStyle();
    void on_btnMenu_Min_clicked();
    void on_btnMenu_Max_clicked();
    void on_btnMenu_Close_clicked();

public slots:
    void setIcon(QUIWidget::Widget widget, QChar str, uint size = 12);
    // Also the title glyph of the shared message, input and date boxes.
    void setIconMain(QChar str, uint size = 12);
    void setPixmap(QUIWidget::Widget widget, const QString &file,
                   const QSize &size = QSize(16, 16));
    void setVisible(QUIWidget::Widget widget, bool visible = true);
    void setOnlyCloseBtn();
    void setTitleHeight(int height);
    void setBtnWidth(int width);
    void setTitle(const QString &title);
    void setAlignment(Qt::Alignment alignment);
    void setMinHide(bool minHide);
    void setExitAll(bool exitAll);
    // Takes the first main widget only; later calls are ignored.
    void setMainWidget(QWidget *mainWidget);

private:
    QPushButton *addTitleButton(const QString &name);
    QWidget *part(Widget widget) const;

    QVBoxLayout *verticalLayout1 = nullptr;
    QWidget *widgetMainQUI = nullptr;
    QVBoxLayout *verticalLayout2 = nullptr;
    QWidget *widgetTitle = nullptr;
    QHBoxLayout *horizontalLayout4 = nullptr;
    QLabel *labIco = nullptr;
    QLabel *labTitle = nullptr;
    QWidget *widgetMenu = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QToolButton *btnMenu = nullptr;
    QPushButton *btnMenu_Min = nullptr;
    QPushButton *btnMenu_Max = nullptr;
    QPushButton *btnMenu_Close = nullptr;
    QWidget *widget = nullptr;
    QVBoxLayout *verticalLayout3 = nullptr;

    QString title;
    Qt::Alignment alignment;
    bool minHide = false;
    bool exitAll = true;
    // Guarded: a main widget deleted elsewhere must not be closed again.
    QPointer<QWidget> mainWidget;

    bool m_dragging = false;
    QPoint m_dragOffset;
};
