// The version resource of the contract's version file as raw bytes, laid out as the resource compiler
// lays out a VERSIONINFO block, for the fake file system.
#pragma once

#include <string>

namespace sx::contract {

std::string contract_version_block();

}  // namespace sx::contract
