#include "recording/RecordingCopy.h"

#include <algorithm>

void CRecordingCopy::AddSecond(const float* second)
{
    std::copy_n(second, kSecondValues, m_seconds.emplace_back().begin());
}

bool CRecordingCopy::ReplaceSecond(std::size_t index, const float* second)
{
    if (index >= Seconds())
        return false;
    std::copy_n(second, kSecondValues, m_seconds[index].begin());
    return true;
}
