#include "RestrictedPermissions.h"

#include <QDir>
#include <QFile>

#include <cstring>

#include <linux/securebits.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace stacklume::testing {

namespace {

// Capabilities belong to a thread: these calls change only the calling one.
bool GetCapabilities(__user_cap_data_struct* data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capget, &header, data) == 0;
}

bool SetCapabilities(const __user_cap_data_struct* data) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(SYS_capset, &header, data) == 0;
}

void LowerEffective(__user_cap_data_struct* data, int capability) {
    data[capability / 32].effective &= ~(1u << (capability % 32));
}

} // namespace

RestrictedPermissions::RestrictedPermissions(QString path, QFileDevice::Permissions permissions)
    : path_(std::move(path)), saved_(QFile::permissions(path_)) {
    QFile::setPermissions(path_, permissions);
    if (GetCapabilities(savedCapabilities_)) {
        __user_cap_data_struct lowered[_LINUX_CAPABILITY_U32S_3];
        std::memcpy(lowered, savedCapabilities_, sizeof lowered);
        LowerEffective(lowered, CAP_DAC_OVERRIDE);
        LowerEffective(lowered, CAP_DAC_READ_SEARCH);
        capabilitiesLowered_ = SetCapabilities(lowered);
    }
    savedSecureBits_ = prctl(PR_GET_SECUREBITS);
    if (savedSecureBits_ >= 0 && prctl(PR_SET_SECUREBITS, savedSecureBits_ | SECBIT_NO_SETUID_FIXUP) != 0)
        savedSecureBits_ = -1;
}

RestrictedPermissions::~RestrictedPermissions() { Lift(); }

void RestrictedPermissions::Lift() {
    if (lifted_)
        return;
    lifted_ = true;
    if (savedSecureBits_ >= 0)
        prctl(PR_SET_SECUREBITS, savedSecureBits_);
    if (capabilitiesLowered_)
        SetCapabilities(savedCapabilities_);
    QFile::setPermissions(path_, saved_);
}

bool CanCreateFileIn(const QString& folder) {
    QFile probe(QDir(folder).filePath(QStringLiteral(".write-probe")));
    if (!probe.open(QIODevice::NewOnly))
        return false;
    probe.remove();
    return true;
}

bool CanRead(const QString& file) { return QFile(file).open(QIODevice::ReadOnly); }

} // namespace stacklume::testing
