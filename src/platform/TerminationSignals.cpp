#include "platform/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {
// the handler may only write to a descriptor; the GUI thread reads the other end
int g_signalPipe[2] = {-1, -1};

// The signal may interrupt any system call of the thread it lands on; that call's error number
// must still be there when the handler returns.
void WriteSignalByte(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[0], &byte, 1);
    errno = savedErrno;
}

// Asked to end by the desktop (SIGTERM), the terminal (SIGINT) or a closed terminal or session
// (SIGHUP): each ends the program as its close command does.
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};
}  // namespace

TerminationSignals::TerminationSignals() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) {
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(g_signalPipe[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this,
            &TerminationSignals::OnSignalArrived);
    struct sigaction action = {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndingSignals) {
        sigaction(signal, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (const int signal : kEndingSignals) {
        std::signal(signal, SIG_DFL);
    }
    notifier_.reset();
    for (int& descriptor : g_signalPipe) {
        if (descriptor >= 0) {
            ::close(descriptor);
            descriptor = -1;
        }
    }
}

void TerminationSignals::OnSignalArrived() {
    char byte = 0;
    [[maybe_unused]] const ssize_t read = ::read(g_signalPipe[1], &byte, 1);
    emit terminationRequested();
}
