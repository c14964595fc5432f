#include "bridge/caller_error_state.h"

#include <cerrno>

#include <windows.h>

CallerErrorState::CallerErrorState() : m_errno(errno), m_lastError(GetLastError()) {}

CallerErrorState::~CallerErrorState()
{
    errno = m_errno;
    SetLastError(m_lastError);
}
