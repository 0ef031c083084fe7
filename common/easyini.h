#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

#include "common/smallfile.h"

// A key line, or a run of other lines kept as read (each trimmed, joined by "\n").
struct IniEntry
{
    bool isKeyValue = false;
    // The value is the one read from the file: it is written back in a form that reads
    // back the same, even where a value set by the program would not be.
    bool valueAsRead = false;
    QString keyOrRawLine;
    QVariant value;
};
Q_DECLARE_TYPEINFO(IniEntry, Q_MOVABLE_TYPE);

// A section in file order; the lines before the first header form a block without one.
struct IniSection
{
    bool noHeader = false;
    QString name;
    QVector<IniEntry> entries;
    // Entry of the first key line of each key, so lookups stay fast in large sections;
    // empty in small ones, which are searched in order.
    QHash<QString, int> m_firstEntry;
};
Q_DECLARE_TYPEINFO(IniSection, Q_MOVABLE_TYPE);

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

    // Larger files are not read. Far above the program's own file (under a kilobyte), yet
    // small enough that whatever a file holds stays small in memory.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    static EasyIni *Instance();

    explicit EasyIni(QObject *parent = nullptr);
    // Writes pending changes first.
    ~EasyIni() override;

    // Pending changes are written to the file they belong to, then the new file is read
    // (write-only mode leaves the object empty). A file that is not a regular file, is
    // larger than MaxFileSize or cannot be read (no permission, a read that would wait) is
    // not read: one critical message, and the object stays empty as for a missing file; a
    // read-write save then refuses to replace it. Reading never waits.
    void load(const QString &filePath, int mode);
    void reload(const QString &filePath = QString());
    // Rewrites the whole file when something was set; the old file survives a failed write.
    // False, with errorString() saying why, when the file could not be written or would be
    // larger than MaxFileSize, which the next read would refuse. Written beside and renamed
    // over; where the folder refuses that, in place and synced, but only into the file the
    // last load found at the name (a link there then is followed): a file put there since
    // is left untouched.
    bool save();
    QString errorString() const { return m_error; }
    // The critical message of the last read's refusal; empty when the file was read, missing
    // or not to be read.
    QString refusal() const { return m_refusal; }

    // Invalid when the section or the key is empty or missing.
    QVariant value(const QString &section, const QString &key) const;
    // Appends a missing section or key; the file is written only by save().
    void setValue(const QString &section, const QString &key, const QVariant &value);

    // A text holding CR or LF comes out as "@Escaped(...)", so every value stays on its line;
    // one with blanks at its ends as "@String(...)", so they are not trimmed away.
    static QString variantToString(const QVariant &value);
    // A text that fits no tag reads as a plain string.
    static QVariant stringToVariant(const QString &text);

private:
    void readFile();
    bool readBytes(QByteArray *bytes);
    void refuse(const QString &cause);
    void parse(const QString &text);
    int sectionIndex(const QString &name) const;
    void appendSection(IniSection &&section);
    bool canWrite(QString *reason) const;
    QByteArray serialized() const;

    QString filePath;
    int mode = ReadWrite;
    bool dirty = false;
    QVector<IniSection> sections;
    QHash<QString, int> m_firstSection; // the first section of each name
    // Set when the file was refused (not a regular file, too large, unreadable): a read-write
    // save must not replace what was never read.
    QString m_refusal;
    QString m_error;
    // The file the name led to at load (or after a save renamed a new one over it); none
    // when it was missing. An in-place save writes into nothing else.
    std::optional<SmallFile::FileId> m_fileRead;
};
