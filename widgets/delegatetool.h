#pragma once

#include <QColor>
#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <QStyle>
#include <QStyledItemDelegate>
#include <memory>

class QCheckBox;
class QProgressBar;
class QPushButton;

// Item delegate for one view column. It turns the column's display text into one
// presentation (buttons, check box, progress bar, colour, state images, light points,
// password bullets or text) painted through the application style, with no child
// widgets, and supplies an editor for editable columns. Lists inside texts are
// separated by "|".
class DelegateTool : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // The custom control element each light point is drawn with; the application style
    // supplies its look.
    static constexpr QStyle::ControlElement LightPointElement =
        QStyle::ControlElement(QStyle::CE_CustomBase + 1);

    explicit DelegateTool(QObject *parent = nullptr);
    ~DelegateTool() override;

    bool eventFilter(QObject *object, QEvent *event) override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    // Writes the editor's value only when the operator changed it after setEditorData.
    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

    // The value check of text cells and state-image segments, by checkType.
    bool checkCellValue(const QString &text) const;
    // Maps a text through delegateKey towards its value (or its key); empty when no entry matches.
    QString mapKeyValue(const QString &text, bool toValue) const;
    // The image a state-image segment shows.
    QPixmap segmentImage(const QString &segment) const;
    // The buttons of a push-button cell: one per caption, equal integer widths from the left.
    static QList<QRect> buttonRects(const QRect &cell, const QString &text);

signals:
    // A mouse button was pressed (1), released (2) or double-clicked (3) in an open editor.
    void mouseAction(int anctionType, bool rightButton);
    void valueChanged(const QString &value);
    void buttonClicked(int btnIndex, const QModelIndex &index);

public slots:
    void setDelegatePwd(bool delegatePwd);
    void setDelegateEdit(bool delegateEdit);
    void setDelegateEnable(bool delegateEnable);
    void setDrawColorName(bool drawColorName);
    void setDelegateMin(int delegateMin);
    void setDelegateMax(int delegateMax);
    void setDelegateColumn(int delegateColumn);
    void setDelegateLevel(int delegateLevel);
    // Also creates the hidden style widget of check-box, push-button and progress cells.
    void setDelegateType(const QString &delegateType);
    void setDelegateKey(const QStringList &delegateKey);
    void setDelegateValue(const QStringList &delegateValue);
    void setCheckBoxText(const QString &checkBoxChecked, const QString &checkBoxUnChecked);
    void setCheckColumn(int checkColumn);
    void setCheckType(const QString &checkType);
    void setCheckValue(const QString &checkValue);
    void setCheckOkImage(const QPixmap &checkOkImage);
    void setCheckNoImage(const QPixmap &checkNoImage);
    void setCheckImageWidth(int checkImageWidth);
    void setCheckImageHeight(int checkImageHeight);
    void setCheckText(bool checkText);
    void setCheckTextColor(const QColor &checkTextColor);
    void setCheckBgColor(const QColor &checkBgColor);
    void setTextColor(const QColor &textColor);
    void setHoverCoverSelected(bool hoverCoverSelected);
    void setHoverBgColor(const QColor &hoverBgColor);
    void setSelectBgColor(const QColor &selectBgColor);
    void setPushButtonIcons(const QList<QIcon> &icons);

    // Emits valueChanged with a combo box sender's text, otherwise with value.
    void slot_valueChanged(int value);
    // Emits valueChanged with the last toggled check-box text.
    void slot_valueChanged();

private:
    bool handledDepth(const QModelIndex &index) const;
    QColor backgroundFor(const QStyleOptionViewItem &option) const;
    void fillBackground(QPainter *painter, const QStyleOptionViewItem &option) const;

    void drawCheckBox(QPainter *painter, const QStyleOptionViewItem &option,
                      const QModelIndex &index) const;
    void drawPushButtons(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const;
    void drawProgressBar(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const;
    void drawColorCell(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index) const;
    void drawPassword(QPainter *painter, const QStyleOptionViewItem &option,
                      const QModelIndex &index) const;
    void drawStateImages(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const;
    void drawLightPoints(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const;
    void drawPlainText(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index) const;
    void drawKeyText(QPainter *painter, const QStyleOptionViewItem &option,
                     const QModelIndex &index) const;
    void drawCheckText(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index) const;
    void drawImage(QPainter *painter, const QRect &rect, const QPixmap &image) const;

    bool pushButtonEvent(QEvent *event, const QStyleOptionViewItem &option,
                         const QModelIndex &index);
    bool checkBoxEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                       const QModelIndex &index);

    bool delegatePwd = false;
    bool delegateEdit = false;
    bool delegateEnable = true;
    bool drawColorName = true;
    int delegateMin = 0;
    int delegateMax = 100;
    int delegateColumn = -1;
    int delegateLevel = 0;
    QString delegateType;
    QStringList delegateKey;
    QStringList delegateValue;
    QString checkBoxChecked;
    QString checkBoxUnChecked;
    int checkColumn = -1;
    QString checkType;
    QString checkValue;
    QPixmap m_okImages[8];
    QPixmap m_normalImages[8];
    QPixmap checkOkImage;
    QPixmap m_normalImage;
    QPixmap checkNoImage;
    int checkImageWidth = 32;
    int checkImageHeight = 32;
    bool checkText = false;
    QColor checkTextColor;
    QColor checkBgColor;
    QColor textColor;
    bool hoverCoverSelected = true;
    QColor hoverBgColor;
    QColor selectBgColor;
    QList<QIcon> pushButtonIcons;

    QPoint mousePoint;
    bool mousePressed = false;
    QString toggledText;
    // Hidden, never shown: the style source of the painted controls.
    std::unique_ptr<QCheckBox> styleCheckBox;
    std::unique_ptr<QPushButton> stylePushButton;
    std::unique_ptr<QProgressBar> styleProgressBar;
};
