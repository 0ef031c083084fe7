#pragma once

#include <QString>

// Checks that a settings file survives a save in read-write mode: every header, raw line,
// key and value reads back the same, and a second save writes the same bytes. Shared by the
// reader's test and its fuzz target, so it needs nothing beyond QtCore and the reader.
namespace IniRoundTrip {
// Saves the file at `path` in place (after setting one of its keys to its own value) and
// returns what changed, or an empty text. A file with no key in a named section is left as
// it is: there is nothing to set.
QString mismatch(const QString &path);
} // namespace IniRoundTrip
