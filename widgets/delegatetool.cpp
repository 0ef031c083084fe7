#include "delegatetool.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTimeEdit>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTimeEdit>

namespace {

const QString separator = QStringLiteral("|");
const QChar bullet(0x2022);

int indexLevel(const QModelIndex &index)
{
    int level = 0;
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        ++level;
    return level;
}

QString cellText(const QModelIndex &index)
{
    return index.data(Qt::DisplayRole).toString();
}

QFont modelFont(const QModelIndex &index)
{
    const QVariant font = index.data(Qt::FontRole);
    return font.isValid() ? font.value<QFont>() : QFont();
}

Qt::Alignment modelAlignment(const QModelIndex &index)
{
    const int alignment = index.data(Qt::TextAlignmentRole).toInt();
    return alignment ? Qt::Alignment(alignment) : Qt::AlignLeft | Qt::AlignVCenter;
}

QRect textRect(const QRect &cell)
{
    return cell.adjusted(2, 0, 0, 0);
}

// Segments laid side by side in equal integer widths from the cell's left edge.
QList<QRect> segmentRects(const QRect &cell, int count)
{
    QList<QRect> rects;
    if (count < 1)
        return rects;
    const int width = cell.width() / count;
    for (int i = 0; i < count; ++i)
        rects.append(QRect(cell.left() + i * width, cell.top(), width, cell.height()));
    return rects;
}

// The editor's value as it stood right after it was loaded from its cell.
const char *const loadedTextProperty = "loadedText";

// The text an editor holds, before mapping; false for a widget that holds none.
bool editorText(const QWidget *editor, QString *text)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(editor))
        *text = edit->text();
    else if (auto *comboBox = qobject_cast<const QComboBox *>(editor))
        *text = comboBox->currentText();
    else if (auto *spinBox = qobject_cast<const QSpinBox *>(editor))
        *text = QString::number(spinBox->value());
    else if (auto *edit = qobject_cast<const QDateTimeEdit *>(editor))
        *text = edit->dateTime().toString(edit->displayFormat());
    else
        return false;
    return true;
}

bool isMouseButtonEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

} // namespace

DelegateTool::DelegateTool(QObject *parent)
    : QStyledItemDelegate(parent), delegateType(QStringLiteral("QLineEdit")),
      checkBoxChecked(QStringLiteral("true")), checkBoxUnChecked(QStringLiteral("false")),
      checkType(QStringLiteral("contains")), checkValue(QStringLiteral("报警")),
      checkOkImage(QStringLiteral(":/image/ok.png")),
      m_normalImage(QStringLiteral(":/image/normal.png")),
      checkNoImage(QStringLiteral(":/image/error.png")), checkTextColor(QStringLiteral("#FFFFFF")),
      checkBgColor(QStringLiteral("#FF6B6B")), textColor(QStringLiteral("#000000")),
      hoverBgColor(QStringLiteral("#F0F0F0")), selectBgColor(QStringLiteral("#F0F0F0"))
{
    for (int digit = 1; digit <= 8; ++digit) {
        m_okImages[digit - 1] = QPixmap(QStringLiteral(":/image/%1_ok.png").arg(digit));
        m_normalImages[digit - 1] = QPixmap(QStringLiteral(":/image/%1_normal.png").arg(digit));
    }
    if (auto *widget = qobject_cast<QWidget *>(parent)) {
        const QPalette palette = widget->palette();
        textColor = QColor(palette.color(QPalette::WindowText).name());
        hoverBgColor = QColor(palette.color(QPalette::Window).name());
        selectBgColor = hoverBgColor;
    }
}

DelegateTool::~DelegateTool() = default;

// Settings

void DelegateTool::setDelegatePwd(bool delegatePwd)
{
    this->delegatePwd = delegatePwd;
}

void DelegateTool::setDelegateEdit(bool delegateEdit)
{
    this->delegateEdit = delegateEdit;
}

void DelegateTool::setDelegateEnable(bool delegateEnable)
{
    this->delegateEnable = delegateEnable;
}

void DelegateTool::setDrawColorName(bool drawColorName)
{
    this->drawColorName = drawColorName;
}

void DelegateTool::setDelegateMin(int delegateMin)
{
    this->delegateMin = delegateMin;
}

void DelegateTool::setDelegateMax(int delegateMax)
{
    this->delegateMax = delegateMax;
}

void DelegateTool::setDelegateColumn(int delegateColumn)
{
    this->delegateColumn = delegateColumn;
}

void DelegateTool::setDelegateLevel(int delegateLevel)
{
    this->delegateLevel = delegateLevel;
}

void DelegateTool::setDelegateType(const QString &delegateType)
{
    this->delegateType = delegateType;
    if (delegateType == QLatin1String("QCheckBox")) {
        styleCheckBox = std::make_unique<QCheckBox>();
        styleCheckBox->setObjectName(QStringLiteral("DeleteTool_checkBox"));
    } else if (delegateType == QLatin1String("QPushButton")) {
        stylePushButton = std::make_unique<QPushButton>();
        stylePushButton->setObjectName(QStringLiteral("DeleteTool_pushButton"));
    } else if (delegateType == QLatin1String("QProgressBar")) {
        styleProgressBar = std::make_unique<QProgressBar>();
        styleProgressBar->setObjectName(QStringLiteral("DeleteTool_progressBar"));
    }
}

void DelegateTool::setDelegateKey(const QStringList &delegateKey)
{
    this->delegateKey = delegateKey;
}

void DelegateTool::setDelegateValue(const QStringList &delegateValue)
{
    this->delegateValue = delegateValue;
}

void DelegateTool::setCheckBoxText(const QString &checkBoxChecked, const QString &checkBoxUnChecked)
{
    this->checkBoxChecked = checkBoxChecked;
    this->checkBoxUnChecked = checkBoxUnChecked;
}

void DelegateTool::setCheckColumn(int checkColumn)
{
    this->checkColumn = checkColumn;
}

void DelegateTool::setCheckType(const QString &checkType)
{
    this->checkType = checkType;
}

void DelegateTool::setCheckValue(const QString &checkValue)
{
    this->checkValue = checkValue;
}

void DelegateTool::setCheckOkImage(const QPixmap &checkOkImage)
{
    this->checkOkImage = checkOkImage;
}

void DelegateTool::setCheckNoImage(const QPixmap &checkNoImage)
{
    this->checkNoImage = checkNoImage;
}

void DelegateTool::setCheckImageWidth(int checkImageWidth)
{
    this->checkImageWidth = checkImageWidth;
}

void DelegateTool::setCheckImageHeight(int checkImageHeight)
{
    this->checkImageHeight = checkImageHeight;
}

void DelegateTool::setCheckText(bool checkText)
{
    this->checkText = checkText;
}

void DelegateTool::setCheckTextColor(const QColor &checkTextColor)
{
    this->checkTextColor = checkTextColor;
}

void DelegateTool::setCheckBgColor(const QColor &checkBgColor)
{
    this->checkBgColor = checkBgColor;
}

void DelegateTool::setTextColor(const QColor &textColor)
{
    this->textColor = textColor;
}

void DelegateTool::setHoverCoverSelected(bool hoverCoverSelected)
{
    this->hoverCoverSelected = hoverCoverSelected;
}

void DelegateTool::setHoverBgColor(const QColor &hoverBgColor)
{
    this->hoverBgColor = hoverBgColor;
}

void DelegateTool::setSelectBgColor(const QColor &selectBgColor)
{
    this->selectBgColor = selectBgColor;
}

void DelegateTool::setPushButtonIcons(const QList<QIcon> &icons)
{
    pushButtonIcons = icons;
}

void DelegateTool::slot_valueChanged(int value)
{
    if (auto *comboBox = qobject_cast<QComboBox *>(sender()))
        emit valueChanged(comboBox->currentText());
    else
        emit valueChanged(QString::number(value));
}

void DelegateTool::slot_valueChanged()
{
    emit valueChanged(toggledText);
}

// Checks and mapping

bool DelegateTool::checkCellValue(const QString &text) const
{
    if (checkType == QLatin1String("=="))
        return text == checkValue;
    if (checkType == QLatin1String("!="))
        return text != checkValue;
    const double number = text.toDouble();
    const double operand = checkValue.toDouble();
    if (checkType == QLatin1String(">"))
        return number > operand;
    if (checkType == QLatin1String(">="))
        return number >= operand;
    if (checkType == QLatin1String("<"))
        return number < operand;
    if (checkType == QLatin1String("<="))
        return number <= operand;
    const QStringList words = checkValue.split(separator);
    if (checkType == QLatin1String("contains")) {
        for (const QString &word : words) {
            if (text.contains(word, Qt::CaseSensitive))
                return true;
        }
        return false;
    }
    if (checkType == QLatin1String("state")) {
        for (const QString &word : words) {
            if (!text.contains(word, Qt::CaseSensitive))
                return true;
        }
        return false;
    }
    return false;
}

QString DelegateTool::mapKeyValue(const QString &text, bool toValue) const
{
    for (const QString &entry : delegateKey) {
        const QStringList pair = entry.split(separator);
        // An entry without a separator maps nothing.
        if (pair.size() < 2)
            continue;
        const QString &key = pair.at(0);
        const QString &value = pair.at(1);
        if (toValue && key == text)
            return value;
        if (!toValue && value == text)
            return key;
    }
    return QString();
}

QPixmap DelegateTool::segmentImage(const QString &segment) const
{
    const bool passes = checkCellValue(segment);
    for (int digit = 1; digit <= 8; ++digit) {
        if (segment.contains(QChar('0' + digit)))
            return passes ? m_okImages[digit - 1] : m_normalImages[digit - 1];
    }
    return passes ? checkOkImage : m_normalImage;
}

QList<QRect> DelegateTool::buttonRects(const QRect &cell, const QString &text)
{
    if (text.isEmpty())
        return {};
    return segmentRects(cell, text.split(separator).size());
}

bool DelegateTool::handledDepth(const QModelIndex &index) const
{
    return indexLevel(index) >= delegateLevel;
}

// Painting

QColor DelegateTool::backgroundFor(const QStyleOptionViewItem &option) const
{
    const bool hovered = option.state & QStyle::State_MouseOver;
    const bool selected = option.state & QStyle::State_Selected;
    if (hoverCoverSelected) {
        if (hovered)
            return hoverBgColor;
        if (selected)
            return selectBgColor;
    } else {
        if (selected)
            return selectBgColor;
        if (hovered)
            return hoverBgColor;
    }
    return QColor();
}

void DelegateTool::fillBackground(QPainter *painter, const QStyleOptionViewItem &option) const
{
    const QColor background = backgroundFor(option);
    if (background.isValid())
        painter->fillRect(option.rect, background);
}

void DelegateTool::paint(QPainter *painter, const QStyleOptionViewItem &option,
                         const QModelIndex &index) const
{
    fillBackground(painter, option);
    if (!handledDepth(index) || index.column() != delegateColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    if (delegateType == QLatin1String("QCheckBox")) {
        drawCheckBox(painter, option, index);
    } else if (delegateType == QLatin1String("QPushButton")) {
        drawPushButtons(painter, option, index);
    } else if (delegateType == QLatin1String("QProgressBar")) {
        drawProgressBar(painter, option, index);
    } else if (delegateType == QLatin1String("QColor")) {
        drawColorCell(painter, option, index);
    } else if (delegateType == QLatin1String("QLineEdit") && delegatePwd) {
        drawPassword(painter, option, index);
    } else if (delegateType == QLatin1String("QPixmap") && checkColumn > 0) {
        drawStateImages(painter, option, index);
    } else if (delegateType == QLatin1String("LightPoint")) {
        drawLightPoints(painter, option, index);
    } else if (!delegateEnable) {
        drawPlainText(painter, option, index);
    } else {
        drawKeyText(painter, option, index);
        drawCheckText(painter, option, index);
    }
}

void DelegateTool::drawCheckBox(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    if (!styleCheckBox)
        return;
    const bool checked = index.data(Qt::EditRole).toString() == checkBoxChecked;
    QStyleOptionButton button;
    button.initFrom(styleCheckBox.get());
    button.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
    const int side = qMin(option.rect.width(), option.rect.height());
    button.rect = QRect(option.rect.center().x() - side / 4, option.rect.top(), side, side);
    QApplication::style()->drawControl(QStyle::CE_CheckBox, &button, painter, styleCheckBox.get());
}

void DelegateTool::drawPushButtons(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    if (!stylePushButton)
        return;
    const QList<QRect> rects = buttonRects(option.rect, cellText(index));
    const bool withIcons = pushButtonIcons.size() == rects.size();
    QStyle *style = QApplication::style();
    for (int i = 0; i < rects.size(); ++i) {
        QStyleOptionButton button;
        button.initFrom(stylePushButton.get());
        button.rect = rects.at(i);
        button.state |= QStyle::State_Enabled;
        if (withIcons) {
            button.icon = pushButtonIcons.at(i);
            button.iconSize = QSize(20, 20);
        }
        if (mousePressed && rects.at(i).contains(mousePoint))
            button.state |= QStyle::State_Sunken;
        style->drawControl(QStyle::CE_PushButton, &button, painter, stylePushButton.get());
    }
}

void DelegateTool::drawProgressBar(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    if (!styleProgressBar)
        return;
    const int progress = cellText(index).toInt();
    QStyleOptionProgressBar bar;
    bar.initFrom(styleProgressBar.get());
    bar.minimum = 0;
    bar.maximum = 100;
    bar.progress = progress;
    bar.state |= QStyle::State_Enabled | QStyle::State_Horizontal;
    bar.rect = option.rect;
    bar.text = QStringLiteral("%1%").arg(progress);
    bar.textAlignment = Qt::AlignCenter;
    bar.textVisible = true;
    QApplication::style()->drawControl(QStyle::CE_ProgressBar, &bar, painter,
                                       styleProgressBar.get());
}

void DelegateTool::drawColorCell(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    QString name = cellText(index);
    if (name == QLatin1String("transparent"))
        name = QStringLiteral("black");
    const QColor color(name);
    if (!color.isValid())
        return;
    painter->save();
    painter->fillRect(option.rect, color);
    if (drawColorName) {
        const double luminance =
            (0.299 * color.red() + 0.587 * color.green() + 0.114 * color.blue()) / 255;
        painter->setPen(luminance > 0.5 ? Qt::black : Qt::white);
        painter->drawText(option.rect, Qt::AlignCenter, color.name().toUpper());
    }
    painter->restore();
}

void DelegateTool::drawPassword(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    const QString bullets(cellText(index).size(), bullet);
    painter->drawText(textRect(option.rect), Qt::AlignLeft | Qt::AlignVCenter, bullets);
}

void DelegateTool::drawImage(QPainter *painter, const QRect &rect, const QPixmap &image) const
{
    if (image.isNull())
        return;
    const QPixmap scaled = image.scaled(checkImageWidth, checkImageHeight, Qt::KeepAspectRatio,
                                        Qt::SmoothTransformation);
    QApplication::style()->drawItemPixmap(painter, rect, Qt::AlignCenter, scaled);
}

void DelegateTool::drawStateImages(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    const QString text = cellText(index);
    if (text.isEmpty()) {
        drawImage(painter, option.rect, checkNoImage);
        return;
    }
    const QStringList segments = text.split(separator);
    const QList<QRect> rects = segmentRects(option.rect, segments.size());
    for (int i = 0; i < segments.size(); ++i)
        drawImage(painter, rects.at(i), segmentImage(segments.at(i)));
}

void DelegateTool::drawLightPoints(QPainter *painter, const QStyleOptionViewItem &option,
                                   const QModelIndex &index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    if (item.text.isEmpty())
        return;
    const QList<QRect> rects = segmentRects(option.rect, item.text.split(separator).size());
    for (const QRect &rect : rects) {
        QStyleOptionButton button;
        if (item.widget)
            button.initFrom(item.widget);
        button.rect = rect;
        QApplication::style()->drawControl(LightPointElement, &button, painter, item.widget);
    }
}

void DelegateTool::drawPlainText(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    painter->save();
    const QVariant background = index.data(Qt::BackgroundRole);
    const QColor backgroundColor = background.value<QColor>();
    if (background.isValid() && backgroundColor.isValid())
        painter->fillRect(option.rect, backgroundColor);
    const QColor foreground = index.data(Qt::ForegroundRole).value<QColor>();
    painter->setPen(foreground.isValid() ? foreground : option.palette.color(QPalette::Text));
    painter->setFont(modelFont(index));
    painter->drawText(textRect(option.rect), modelAlignment(index), cellText(index));
    painter->restore();
}

void DelegateTool::drawKeyText(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const QString text = cellText(index);
    if (mapKeyValue(text, true).isEmpty())
        return;
    painter->save();
    painter->setFont(modelFont(index));
    painter->drawText(textRect(option.rect), modelAlignment(index), text);
    painter->restore();
}

void DelegateTool::drawCheckText(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    if (!checkText)
        return;
    const QString text = cellText(index);
    QFont font = modelFont(index);
    QColor pen = textColor;
    QColor brush = backgroundFor(option);
    if (checkCellValue(text)) {
        brush = checkBgColor;
        pen = checkTextColor;
        font.setWeight(QFont::Bold);
        if (font.pixelSize() > 0)
            font.setPixelSize(font.pixelSize() + 1);
        else
            font.setPointSizeF(font.pointSizeF() + 1);
    }
    painter->save();
    painter->setPen(pen);
    painter->setFont(font);
    if (brush.isValid())
        painter->fillRect(option.rect, brush);
    painter->drawText(textRect(option.rect), modelAlignment(index), text);
    painter->restore();
}

// Events

bool DelegateTool::editorEvent(QEvent *event, QAbstractItemModel *model,
                               const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (!handledDepth(index))
        return false;
    if (event->type() == QEvent::MouseMove)
        return false;
    if (delegateType == QLatin1String("QPushButton"))
        return pushButtonEvent(event, option, index);
    if (delegateType == QLatin1String("QCheckBox"))
        return checkBoxEvent(event, model, option, index);
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

bool DelegateTool::pushButtonEvent(QEvent *event, const QStyleOptionViewItem &option,
                                   const QModelIndex &index)
{
    // Key events carry no position: the last mouse position stays.
    if (isMouseButtonEvent(event->type()))
        mousePoint = static_cast<QMouseEvent *>(event)->pos();
    mousePressed = false;
    const QList<QRect> rects = buttonRects(option.rect, cellText(index));
    if (rects.isEmpty())
        return false;
    // Reported at the press only, so a double-click reports once.
    if (event->type() == QEvent::MouseButtonPress) {
        for (int i = 0; i < rects.size(); ++i) {
            if (rects.at(i).contains(mousePoint)) {
                mousePressed = true;
                emit buttonClicked(i, index);
                break;
            }
        }
    }
    return true;
}

bool DelegateTool::checkBoxEvent(QEvent *event, QAbstractItemModel *model,
                                 const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonRelease)
        return false;
    const bool checked = cellText(index) == checkBoxChecked;
    toggledText = checked ? checkBoxUnChecked : checkBoxChecked;
    model->setData(index, toggledText, Qt::EditRole);
    emit valueChanged(toggledText);
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

// Editors

QWidget *DelegateTool::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                    const QModelIndex &index) const
{
    if (!handledDepth(index) || !delegateEnable || delegateType == QLatin1String("QCheckBox") ||
        checkColumn > 0)
        return nullptr;
    if (delegateType == QLatin1String("QLineEdit")) {
        auto *edit = new QLineEdit(parent);
        edit->setEchoMode(delegatePwd ? QLineEdit::Password : QLineEdit::Normal);
        connect(edit, &QLineEdit::textChanged, this, &DelegateTool::valueChanged);
        return edit;
    }
    if (delegateType == QLatin1String("QComboBox")) {
        auto *comboBox = new QComboBox(parent);
        comboBox->setEditable(delegateEdit);
        comboBox->addItems(delegateValue);
        connect(comboBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                QOverload<int>::of(&DelegateTool::slot_valueChanged));
        return comboBox;
    }
    if (delegateType == QLatin1String("QSpinBox")) {
        auto *spinBox = new QSpinBox(parent);
        spinBox->setRange(delegateMin, delegateMax);
        connect(spinBox, QOverload<int>::of(&QSpinBox::valueChanged), this,
                QOverload<int>::of(&DelegateTool::slot_valueChanged));
        return spinBox;
    }
    if (delegateType == QLatin1String("QDateTimeEdit")) {
        auto *edit = new QDateTimeEdit(parent);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        edit->calendarWidget()->setLocale(QLocale(QLocale::Chinese, QLocale::AnyCountry));
        return edit;
    }
    if (delegateType == QLatin1String("QDateEdit")) {
        auto *edit = new QDateEdit(parent);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->calendarWidget()->setLocale(QLocale(QLocale::Chinese, QLocale::AnyCountry));
        return edit;
    }
    if (delegateType == QLatin1String("QTimeEdit")) {
        auto *edit = new QTimeEdit(parent);
        edit->setCalendarPopup(false);
        edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
        return edit;
    }
    return new QWidget(parent);
}

void DelegateTool::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (!handledDepth(index))
        return;
    QString text = cellText(index);
    const QString mapped = mapKeyValue(text, true);
    if (!mapped.isEmpty())
        text = mapped;

    if (auto *edit = qobject_cast<QLineEdit *>(editor)) {
        edit->setText(text);
    } else if (auto *comboBox = qobject_cast<QComboBox *>(editor)) {
        comboBox->setCurrentIndex(
            comboBox->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
    } else if (auto *spinBox = qobject_cast<QSpinBox *>(editor)) {
        spinBox->setValue(text.toInt());
    } else if (auto *edit = qobject_cast<QTimeEdit *>(editor)) {
        const QTime time = QTime::fromString(text, edit->displayFormat());
        if (time.isValid())
            edit->setTime(time);
    } else if (auto *edit = qobject_cast<QDateEdit *>(editor)) {
        const QDate date = QDate::fromString(text, edit->displayFormat());
        if (date.isValid())
            edit->setDate(date);
    } else if (auto *edit = qobject_cast<QDateTimeEdit *>(editor)) {
        const QDateTime dateTime = QDateTime::fromString(text, edit->displayFormat());
        if (dateTime.isValid())
            edit->setDateTime(dateTime);
    } else {
        QStyledItemDelegate::setEditorData(editor, index);
    }
    QString loaded;
    if (editorText(editor, &loaded))
        editor->setProperty(loadedTextProperty, loaded);
}

void DelegateTool::setModelData(QWidget *editor, QAbstractItemModel *model,
                                const QModelIndex &index) const
{
    if (!handledDepth(index))
        return;
    // An editor that the operator left as it was loaded may not have been able to show the
    // cell's text (an unknown item, a date that does not parse, a number out of range), so
    // writing it back would replace the text; the cell keeps it instead. A plain widget
    // holds nothing the operator could change.
    QString text;
    if (!editorText(editor, &text) || editor->property(loadedTextProperty) == text)
        return;
    const QString mapped = mapKeyValue(text, false);
    if (!mapped.isEmpty())
        text = mapped;
    model->setData(index, text, Qt::EditRole);
}

void DelegateTool::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

bool DelegateTool::eventFilter(QObject *object, QEvent *event)
{
    int action = 0;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        action = 1;
        break;
    case QEvent::MouseButtonRelease:
        action = 2;
        break;
    case QEvent::MouseButtonDblClick:
        action = 3;
        break;
    default:
        break;
    }
    if (action)
        emit mouseAction(action, QApplication::mouseButtons() == Qt::RightButton);
    return QStyledItemDelegate::eventFilter(object, event);
}
