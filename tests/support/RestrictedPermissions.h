#pragma once

#include <QFileDevice>
#include <QString>

#include <linux/capability.h>

namespace stacklume::testing {

// Gives a file or folder other permission bits for as long as this lives, or until Lift(), and
// makes them bind this thread as they bind a player even when the tests run as root: the
// capabilities that let root ignore permission bits are lowered meanwhile (they stay permitted,
// so Lift() raises them again), and access(), which asks with all of root's permitted ones, asks
// with the lowered set. Other users keep the capabilities they have, which are none.
class RestrictedPermissions {
public:
    RestrictedPermissions(QString path, QFileDevice::Permissions permissions);
    ~RestrictedPermissions();
    RestrictedPermissions(const RestrictedPermissions&) = delete;
    RestrictedPermissions& operator=(const RestrictedPermissions&) = delete;

    // Back to the permissions and capabilities there were.
    void Lift();

private:
    QString path_;
    QFileDevice::Permissions saved_;
    __user_cap_data_struct savedCapabilities_[_LINUX_CAPABILITY_U32S_3]{};
    bool capabilitiesLowered_ = false;
    int savedSecureBits_ = -1;
    bool lifted_ = false;
};

// Probes of what this thread can do now. A test that relies on the bits makes sure of them first:
// where they do not bind (an unusual file system, a sandbox) its checks would prove nothing.
bool CanCreateFileIn(const QString& folder);
bool CanRead(const QString& file);

} // namespace stacklume::testing
