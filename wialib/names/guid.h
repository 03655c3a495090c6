#pragma once
// A COM GUID as plain data, so that the names of interfaces and property sets
// can be looked up and tested without the Windows headers.
#include <array>
#include <cstdint>

struct Guid {
    std::uint32_t data1;
    std::uint16_t data2;
    std::uint16_t data3;
    std::array<std::uint8_t, 8> data4;

    friend constexpr bool operator==(const Guid&, const Guid&) = default;
};
