#include "StopSignals.h"

#include <csignal>

namespace qv::tool {

namespace {

volatile std::sig_atomic_t g_stopSignal = 0;
struct sigaction g_previousInt {};
struct sigaction g_previousTerm {};

extern "C" void OnStopSignal(int signal) {
    g_stopSignal = signal;
}

}  // namespace

StopSignals::StopSignals() {
    g_stopSignal = 0;
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &g_previousInt);
    sigaction(SIGTERM, &action, &g_previousTerm);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &g_previousInt, nullptr);
    sigaction(SIGTERM, &g_previousTerm, nullptr);
}

bool StopSignals::Requested() {
    return g_stopSignal != 0;
}

int StopSignals::Signal() {
    return g_stopSignal;
}

}  // namespace qv::tool
