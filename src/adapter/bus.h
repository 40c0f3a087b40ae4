#pragma once
// The bus wrappers: the pages' only way to the bus. Word transfers make up to four attempts.
// Each wrapper creates the adapter window when it does not exist yet.
#include <concepts>
#include <cstdint>

namespace common { class WindowRegistry; }

namespace adapter {

inline constexpr int WordAttempts = 4;

// Makes up to WordAttempts attempts of `transfer` back to back, stopping at the first that
// succeeds; returns the status of the last one made.
template <std::invocable Transfer>
std::int32_t retried(Transfer&& transfer)
{
    std::int32_t status = transfer();
    for (int attempt = 1; status != 0 && attempt < WordAttempts; ++attempt)
        status = transfer();
    return status;
}

std::int32_t ReadByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t& data);
std::int32_t WriteByteReg(common::WindowRegistry& program, std::uint8_t reg, std::uint8_t data);
std::int32_t ReadWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t& ms, std::uint8_t& ls);
std::int32_t WriteWordReg(common::WindowRegistry& program, std::uint8_t command, std::uint8_t ms, std::uint8_t ls);
void BusStatusHook(std::int32_t& status);

}  // namespace adapter
