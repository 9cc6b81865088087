// A FUSE file system with one file, "hidraw0", that behaves like a hidraw node: it records
// HIDIOCSFEATURE requests and hands out queued input reports, one per read, with poll support.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct fuse;
struct fuse_pollhandle;

namespace zrv {

class FakeHidrawFuse {
public:
    // Mounts at mountPoint and serves it on a thread of its own; nullptr with the reason in
    // error when the mount cannot be made.
    static std::unique_ptr<FakeHidrawFuse> Mount(const std::string& mountPoint, std::string& error);
    // Stops serving and unmounts; files still open on the mount then fail.
    ~FakeHidrawFuse();
    FakeHidrawFuse(const FakeHidrawFuse&) = delete;
    FakeHidrawFuse& operator=(const FakeHidrawFuse&) = delete;

    void QueueInputReport(std::vector<uint8_t> report);
    std::vector<std::vector<uint8_t>> FeatureReports();

    // Called from the FUSE operations.
    int ReadReport(char* buffer, size_t size);
    int SetFeature(const void* data, size_t size);
    unsigned Poll(fuse_pollhandle* handle);

private:
    FakeHidrawFuse() = default;

    fuse* fuse_ = nullptr;
    std::thread loop_;
    std::atomic<bool> loopEnded_{false};
    std::mutex mutex_;
    std::vector<std::vector<uint8_t>> inputQueue_;
    std::vector<std::vector<uint8_t>> featureReports_;
    fuse_pollhandle* waiter_ = nullptr;
};

}  // namespace zrv
