# Native build: the portable code and its unit tests (no Windows headers anywhere).
find_package(GTest REQUIRED)

if(ORVELLE_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_compile_options(orvelle_core PRIVATE ${_san})
endif()

file(GLOB ORVELLE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(orvelle_unit_tests ${ORVELLE_UNIT_TESTS})
target_include_directories(orvelle_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/unit)
target_compile_definitions(orvelle_unit_tests PRIVATE ORVELLE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(orvelle_unit_tests PRIVATE orvelle_core GTest::gtest GTest::gtest_main)
if(ORVELLE_SANITIZE)
  target_compile_options(orvelle_unit_tests PRIVATE ${_san})
  target_link_options(orvelle_unit_tests PRIVATE ${_san})
endif()
include(GoogleTest)
gtest_discover_tests(orvelle_unit_tests DISCOVERY_TIMEOUT 60)
