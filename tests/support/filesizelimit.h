#pragma once

#include <csignal>
#include <sys/resource.h>

// A limit on the size of files this process writes, with its signal ignored; both are
// put back when the object goes. A write past it fails halfway, like on a full disk, also
// for root.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    // False when the limit could not be set.
    bool isSet() const { return m_set; }

private:
    struct rlimit m_old;
    void (*m_oldHandler)(int) = SIG_ERR; // SIG_ERR: the disposition was not changed
    bool m_set = false;
};
