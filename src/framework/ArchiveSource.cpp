#include "framework/ArchiveSource.h"

#include <cstring>

namespace qv {

void MemorySource::Read(std::span<std::byte> destination) {
    std::memcpy(destination.data(), m_data.data() + m_pos, destination.size());
    m_pos += destination.size();
}

}  // namespace qv
