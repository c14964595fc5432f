#include "bridge/caller_error_state.h"

#include <cerrno>

CallerErrorState::CallerErrorState() : m_errno(errno) {}

CallerErrorState::~CallerErrorState()
{
    errno = m_errno;
}
