include(GoogleTest)

# corvane_add_gtest(NAME SOURCES a.cpp b.cpp LIBS target...)
# One test executable per library, linked against that library only (plus GoogleTest).
function(corvane_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    CORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    CORVANE_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "CORVANE_REGISTRY=${PROJECT_BINARY_DIR}/test-registry/${name}.reg")
endfunction()
