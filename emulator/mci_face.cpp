// The emulated media control interface: one CD audio device per process,
// shared by every thread of it, as the alias is.

#include "emulator/emulated_notebook.h"
#include "emulator/image_store.h"
#include "emulator/mci_errors.h"
#include "emulator/mci_session.h"
#include "emulator/process_mutex.h"

namespace emulator {
namespace {

ProcessMutex &sessionMutex()
{
    static ProcessMutex mutex;
    return mutex;
}

MciSession &session()
{
    static MciSession instance;
    return instance;
}

} // namespace

uint32_t mciSendString(const std::string &command, std::string &reply)
{
    const ProcessMutex::Guard lock(sessionMutex());
    return session().send(command, ImageStore::current(), reply);
}

std::string mciErrorText(uint32_t error)
{
    return mci::errorText(error);
}

} // namespace emulator
