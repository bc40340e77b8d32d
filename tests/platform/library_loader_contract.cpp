// What every LibraryLoader backend promises. Runs against headless natively
// and against win32 under Wine.
#include <gtest/gtest.h>

#include "tests/platform/contract_backend.h"

namespace {

TEST(LibraryLoaderContract, APresentLibraryLoadsAndAnswersForMissingExportsWithNull) {
  auto backend = MakeContractBackend();
  auto library = backend->Libraries().Load(backend->PresentLibrary());
  ASSERT_TRUE(library);
  EXPECT_EQ(library->Export("NoSuchEntryPoint"), nullptr);
  EXPECT_EQ(library->Export(""), nullptr);

  // A second load while the first is held is an independent handle.
  auto again = backend->Libraries().Load(backend->PresentLibrary());
  ASSERT_TRUE(again);
  library.reset();
  EXPECT_EQ(again->Export("NoSuchEntryPoint"), nullptr);
}

TEST(LibraryLoaderContract, AnAbsentLibraryGivesNull) {
  auto backend = MakeContractBackend();
  EXPECT_EQ(backend->Libraries().Load(backend->AbsentLibrary()), nullptr);
  EXPECT_EQ(backend->Libraries().Load(backend->AbsentLibrary()), nullptr);
}

}  // namespace
