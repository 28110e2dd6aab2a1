#include "writeprotection.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Capabilities are per thread; the GUI code under test runs in this one.
bool setDacOverride(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    const unsigned bit = 1u << CAP_DAC_OVERRIDE;
    data[0].effective = on ? data[0].effective | (bit & data[0].permitted) : data[0].effective & ~bit;
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace
#endif

WriteProtection::WriteProtection(const QString &folder)
    : folder(folder), saved(QFile::permissions(folder))
{
    QFile::setPermissions(folder, saved & ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup
                                            | QFile::WriteOther));
#ifdef Q_OS_LINUX
    if (geteuid() == 0)
        overrideDropped = setDacOverride(false);
#endif
}

WriteProtection::~WriteProtection()
{
#ifdef Q_OS_LINUX
    if (overrideDropped)
        setDacOverride(true);
#endif
    QFile::setPermissions(folder, saved);
}

bool WriteProtection::holds() const
{
    QFile probe(QDir(folder).filePath(QStringLiteral(".write-probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.remove();
    return false;
}
