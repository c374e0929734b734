// The version resource of the fake's version file: the texts contract_version.rc gives the Win32 side.
#include <string>

#include "programinfo/version_block.h"
#include "tests/contract/contract_env.h"

namespace sx::contract {

std::string contract_version_block() {
    return programinfo::make_version_block(
        {{kVersionLanguage, kVersionCodePage}},
        {{kVersionTable,
          {{"CompanyName", kCompanyName}, {"FileDescription", kFileDescription}, {"ProductName", kProductName}}}});
}

}  // namespace sx::contract
