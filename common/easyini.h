#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

// One line of a section: a key line, or any other line kept as read (trimmed).
struct IniEntry
{
    bool isKeyValue = false;
    QString keyOrRawLine;
    QVariant value;
};

// A section in file order; the lines before the first header form a block without one.
struct IniSection
{
    bool noHeader = false;
    QString name;
    QList<IniEntry> entries;
    // Entry of the first key line of each key, so lookups stay fast in large files.
    QHash<QString, int> m_firstEntry;
};

// The settings file, held in memory in file order (comments and blank lines included).
// Values are stored in the tagged text form of QSettings' INI format.
class EasyIni : public QObject
{
    Q_OBJECT

public:
    // Modes of load().
    enum Mode
    {
        ReadOnly = 0,
        WriteOnly = 1,
        ReadWrite = 2
    };

    static EasyIni *Instance();

    explicit EasyIni(QObject *parent = nullptr);
    // Writes pending changes first.
    ~EasyIni() override;

    // Pending changes are written to the file they belong to, then the new file is read
    // (write-only mode leaves the object empty).
    void load(const QString &filePath, int mode);
    void reload(const QString &filePath = QString());
    // Rewrites the whole file when something was set; the old file survives a failed write.
    void save();

    // Invalid when the section or the key is empty or missing.
    QVariant value(const QString &section, const QString &key) const;
    // Appends a missing section or key; the file is written only by save().
    void setValue(const QString &section, const QString &key, const QVariant &value);

    // A text holding CR or LF comes out as "@Escaped(...)", so every value stays on its line.
    static QString variantToString(const QVariant &value);
    // A text that fits no tag reads as a plain string.
    static QVariant stringToVariant(const QString &text);

private:
    void readFile();
    int sectionIndex(const QString &name) const;
    void appendSection(const IniSection &section);
    bool canWrite() const;
    QByteArray serialized() const;

    QString filePath;
    int mode = ReadWrite;
    bool dirty = false;
    QList<IniSection> sections;
    QHash<QString, int> m_firstSection; // the first section of each name
};
