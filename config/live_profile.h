// The one live ProfileSettings, shared by the window thread and the button-action thread.
#pragma once

#include <mutex>

#include "config/profile.h"

namespace zrv {

// Each access copies or changes the record under a short lock, so no thread ever sees
// a field half written.
class LiveProfile {
public:
    ProfileSettings Get() const {
        std::lock_guard lock(mutex_);
        return profile_;
    }
    void Set(const ProfileSettings& profile) {
        std::lock_guard lock(mutex_);
        profile_ = profile;
    }
    template <class F>
    auto Update(F&& change) {
        std::lock_guard lock(mutex_);
        return change(profile_);
    }

private:
    mutable std::mutex mutex_;
    ProfileSettings profile_;
};

}  // namespace zrv
