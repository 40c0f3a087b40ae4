#pragma once
// The bus wrappers: the pages' only way to the bus. Word transfers make up to four attempts.
// Each wrapper creates the adapter window when it does not exist yet.
#include <cstdint>

namespace common { class WindowRegistry; }

namespace adapter {

std::int32_t ReadByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t& data);
std::int32_t WriteByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t data);
std::int32_t ReadWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t& ms, std::uint8_t& ls);
std::int32_t WriteWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t ms, std::uint8_t ls);
void BusStatusHook(std::int32_t& status);

}  // namespace adapter
