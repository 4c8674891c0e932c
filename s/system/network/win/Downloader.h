// s/system/network/win/Downloader.h
//
// Downloads one address into a fresh temporary file ("NEW" prefix) on a pooled worker
// thread of its own, through URLDownloadToFileW, or the HTTP GET when an agent or referrer
// is set. Option 1 reads the file back as the reply (each byte one unit, capped: the update
// check's reply is a few bytes) and deletes it; option 0 keeps the whole file for the caller.
// A failed download's file is deleted too. A stop never kills the thread: the status
// callback ends the transfer, and a downloader released while its worker still runs is
// kept out of its pool until the worker is idle. Reply and done flag are guarded by m_lock.
#pragma once
#include <atomic>
#include <cstdint>

#include "s/str/strbuffer/StrBuffer.h"
#include "s/system/network/IDownloader.h"
#include "s/thread/ITask.h"
#include "s/thread/ObjLocker.h"

namespace s::thread::win { class Thread; }

namespace s::system::network {
class IOnlineTest;
}

namespace s::system::network::win {

class Downloader final : public s::system::network::IDownloader, public s::thread::ITask {
public:
    static constexpr uint32_t kReplyCapBytes = 64 * 1024;  // of a reply (option 1): ample for the check
    static constexpr int32_t kPollMs = 200;

    Downloader() = default;
    ~Downloader() override;
    Downloader(const Downloader&) = delete;
    Downloader& operator=(const Downloader&) = delete;

    // The online test (null: the system's); kept for the object's life.
    void setOnlineTest(s::system::network::IOnlineTest* online) { m_online = online; }

    // IDownloader
    void start() override;
    void stop(bool wait) override;
    void setUrl(const wchar_t* address) override;
    void setOption(uint8_t option) override { m_option = option; }
    void setAgent(const wchar_t* agent) override;
    void setReferrer(const wchar_t* referrer) override;
    bool download(int32_t limitMs, uintptr_t user1, uintptr_t user2,
                  ProgressFunction progress) override;
    bool isDone() const override { return m_done; }
    const s::str::strbuffer::StrBuffer* targetPath() const override { return &m_target; }
    const s::str::strbuffer::StrBuffer* replyText() const override { return &m_reply; }
    bool isRunning() const { return m_running; }

    // ITask: the download itself, on the worker thread
    void run() override;

    // A new temporary file name with the "NEW" prefix (the file exists, empty).
    static bool makeTempFileName(s::str::strbuffer::StrBuffer* out);

    // IObject
    const wchar_t* classId() const override { return L"s_system_network_win_Downloader"; }
    s::base::IObject* newInstance() const override;

    // IPoolable: a downloader still running is parked until its worker is idle
    void releaseToPool() override;
    void resetForReuse() override;

private:
    bool online();
    bool fetchToTarget();
    void readReply();
    static void releaseParked();

    s::thread::win::Thread* m_worker = nullptr;
    s::system::network::IOnlineTest* m_online = nullptr;
    s::str::strbuffer::StrBuffer m_url;
    s::str::strbuffer::StrBuffer m_agent;
    s::str::strbuffer::StrBuffer m_referrer;
    s::str::strbuffer::StrBuffer m_target;
    s::str::strbuffer::StrBuffer m_reply;
    uint8_t m_option = 0;
    ProgressFunction m_progress = nullptr;
    uintptr_t m_user1 = 0;
    uintptr_t m_user2 = 0;
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    s::thread::ObjLocker m_lock;
};

}  // namespace s::system::network::win
