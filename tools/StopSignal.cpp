#include "StopSignal.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

CStopSignal::CStopSignal()
{
    m_hWake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_hWake < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
}

CStopSignal::~CStopSignal()
{
    ::close(m_hWake);
}

void CStopSignal::Raise()
{
    m_bRaised.store(true, std::memory_order_release);
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_hWake, &one, sizeof one);
}

bool CStopSignal::Sleep(std::chrono::milliseconds duration)
{
    return WaitFor(-1, 0, Clock::now() + duration) == Wait::TimedOut;
}

CStopSignal::Wait CStopSignal::WaitFor(int fd, short events, Clock::time_point deadline)
{
    pollfd one{fd, events, 0};
    return WaitFor(std::span<pollfd>(&one, 1), deadline);
}

CStopSignal::Wait CStopSignal::WaitFor(std::span<pollfd> fds, Clock::time_point deadline)
{
    std::vector<pollfd> all{{m_hWake, POLLIN, 0}};
    all.insert(all.end(), fds.begin(), fds.end());
    for (;;) {
        if (IsRaised())
            return Wait::Stopped;
        int timeoutMs = -1;
        if (deadline != Clock::time_point::max()) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return Wait::TimedOut;
            timeoutMs = int(std::min<long long>(left, 3600LL * 1000));
        }
        // poll() skips a negative descriptor, which makes Sleep() a plain
        // interruptible wait.
        const int n = ::poll(all.data(), all.size(), timeoutMs);
        // Only a broken call fails here; waiting on would spin, so give up
        // as if stopped.
        if (n < 0 && errno != EINTR)
            return Wait::Stopped;
        if (n > 0 && all[0].revents == 0) {
            for (std::size_t i = 0; i < fds.size(); ++i)
                fds[i].revents = all[i + 1].revents;
            return Wait::Ready;
        }
    }
}
