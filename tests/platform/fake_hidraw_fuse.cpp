#if ZRV_HAVE_FUSE
#define FUSE_USE_VERSION 35
#include "tests/platform/fake_hidraw_fuse.h"

#include <fuse.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace zrv {
namespace {

constexpr const char* kNodePath = "/hidraw0";

FakeHidrawFuse& Self() { return *static_cast<FakeHidrawFuse*>(fuse_get_context()->private_data); }

int FsGetAttr(const char* path, struct stat* st, fuse_file_info*) {
    std::memset(st, 0, sizeof *st);
    if (std::strcmp(path, "/") == 0) {
        st->st_mode = S_IFDIR | 0755;
        st->st_nlink = 2;
        return 0;
    }
    if (std::strcmp(path, kNodePath) == 0) {
        st->st_mode = S_IFREG | 0666;
        st->st_nlink = 1;
        return 0;
    }
    return -ENOENT;
}

int FsOpen(const char* path, fuse_file_info* fi) {
    if (std::strcmp(path, kNodePath) != 0) return -ENOENT;
    fi->direct_io = 1;  // every read reaches ReadReport, whatever the file size says
    fi->nonseekable = 1;
    return 0;
}

int FsRead(const char*, char* buffer, size_t size, off_t, fuse_file_info*) { return Self().ReadReport(buffer, size); }

int FsIoctl(const char*, unsigned int cmd, void*, fuse_file_info*, unsigned int, void* data) {
    // The size is part of the command, so the kernel passes the bytes in without help.
    if (_IOC_TYPE(cmd) != 'H' || _IOC_NR(cmd) != _IOC_NR(HIDIOCSFEATURE(0))) return -ENOTTY;
    return Self().SetFeature(data, _IOC_SIZE(cmd));
}

int FsPoll(const char*, fuse_file_info*, fuse_pollhandle* handle, unsigned* revents) {
    *revents = Self().Poll(handle);
    return 0;
}

// Interrupts the loop's read of /dev/fuse, so that it sees the exit flag.
void IgnoreSignal(int) {}

}  // namespace

std::unique_ptr<FakeHidrawFuse> FakeHidrawFuse::Mount(const std::string& mountPoint, std::string& error) {
    static const fuse_operations operations = [] {
        fuse_operations ops{};
        ops.getattr = FsGetAttr;
        ops.open = FsOpen;
        ops.read = FsRead;
        ops.ioctl = FsIoctl;
        ops.poll = FsPoll;
        return ops;
    }();
    std::unique_ptr<FakeHidrawFuse> self(new FakeHidrawFuse);
    char program[] = "zrv_fake_hidraw";
    char* argv[] = {program, nullptr};
    fuse_args args = FUSE_ARGS_INIT(1, argv);
    self->fuse_ = fuse_new(&args, &operations, sizeof operations, self.get());
    fuse_opt_free_args(&args);
    if (!self->fuse_) {
        error = "fuse_new failed";
        return nullptr;
    }
    if (fuse_mount(self->fuse_, mountPoint.c_str()) != 0) {
        fuse_destroy(self->fuse_);
        self->fuse_ = nullptr;
        error = "cannot mount a FUSE file system at " + mountPoint;
        return nullptr;
    }
    struct sigaction action {};
    action.sa_handler = IgnoreSignal;  // no SA_RESTART: the read must fail with EINTR
    sigemptyset(&action.sa_mask);
    sigaction(SIGUSR1, &action, nullptr);
    FakeHidrawFuse* raw = self.get();
    self->loop_ = std::thread([raw] {
        fuse_loop(raw->fuse_);
        raw->loopEnded_ = true;
    });
    return self;
}

FakeHidrawFuse::~FakeHidrawFuse() {
    if (!fuse_) return;
    fuse_exit(fuse_);
    while (!loopEnded_) {
        pthread_kill(loop_.native_handle(), SIGUSR1);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    loop_.join();
    // Closes the connection first, then detaches the mount.
    fuse_unmount(fuse_);
    fuse_destroy(fuse_);
    if (waiter_) fuse_pollhandle_destroy(waiter_);
}

void FakeHidrawFuse::QueueInputReport(std::vector<uint8_t> report) {
    fuse_pollhandle* waiter = nullptr;
    {
        std::lock_guard lock(mutex_);
        inputQueue_.push_back(std::move(report));
        std::swap(waiter, waiter_);
    }
    if (waiter) {
        fuse_notify_poll(waiter);
        fuse_pollhandle_destroy(waiter);
    }
}

std::vector<std::vector<uint8_t>> FakeHidrawFuse::FeatureReports() {
    std::lock_guard lock(mutex_);
    return featureReports_;
}

int FakeHidrawFuse::ReadReport(char* buffer, size_t size) {
    std::lock_guard lock(mutex_);
    if (inputQueue_.empty()) return -EAGAIN;
    const std::vector<uint8_t> report = std::move(inputQueue_.front());
    inputQueue_.erase(inputQueue_.begin());
    const size_t n = std::min(size, report.size());
    std::memcpy(buffer, report.data(), n);
    return static_cast<int>(n);
}

int FakeHidrawFuse::SetFeature(const void* data, size_t size) {
    std::lock_guard lock(mutex_);
    const auto* bytes = static_cast<const uint8_t*>(data);
    featureReports_.emplace_back(bytes, bytes + size);
    return static_cast<int>(size);
}

unsigned FakeHidrawFuse::Poll(fuse_pollhandle* handle) {
    std::lock_guard lock(mutex_);
    if (handle) {
        if (waiter_) fuse_pollhandle_destroy(waiter_);
        waiter_ = handle;
    }
    return inputQueue_.empty() ? 0 : POLLIN;
}

}  // namespace zrv
#endif
