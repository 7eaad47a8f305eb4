#pragma once
// The property databases' reader as a fuzz target: one input is a whole database file.
#include <cstddef>
#include <cstdint>
#include <string>

namespace kes::fuzz {

// Once per process: where the input is put as a file.
void PropDbSetup(const std::string& programDir);

// Every kind's table is read from the input (a kind without one takes the text table's first
// five rows, as the inspector does) and checked against the kind's layout. Every read must end
// bounded: a refusal or an error with no records, or at most kMaxPropRows records whose texts
// lie inside the length bound.
void PropDbOneInput(const std::uint8_t* data, std::size_t size);

} // namespace kes::fuzz
