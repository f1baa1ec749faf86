# Settings shared by every target of the project.

add_compile_options(-Wall -Wextra)

# Native programs link with LLD where it is installed: a test program links
# in a quarter of the time GNU ld takes, and most of them link again after
# any change to the code they share.
find_program(VX_LLD ld.lld)
if(VX_LLD AND NOT CMAKE_CROSSCOMPILING)
    add_link_options(-fuse-ld=lld)
endif()

if(VX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Coverage for libFuzzer in every object; only the fuzz targets link the
# fuzzer's own main.
if(VX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# vx_add_gtest(TARGET SOURCES...) builds a GoogleTest program from the given
# sources and registers its tests with CTest: native programs as
# vx_native_gtests does, Windows programs as one CTest test under Wine
# (vx_wine_suite_test).
#
# The test cases' own files (*Test.cpp) are compiled without optimisation:
# they are most of what a build compiles, and GoogleTest's assertions take
# three times as long to compile optimised.  The code under test, the test
# support and the benchmarks keep the build's level, as the slow tests spend
# their time there.
function(vx_add_gtest target)
    add_executable(${target} ${ARGN})
    set(case_files ${ARGN})
    list(FILTER case_files INCLUDE REGEX "Test\\.cpp$")
    set_source_files_properties(${case_files} PROPERTIES COMPILE_OPTIONS -O0)
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main vx_testsupport)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${VX_TEST_PREFIX}${target} COMMAND ${target})
        vx_wine_suite_test(10 ${VX_TEST_PREFIX}${target})
    else()
        vx_native_gtests(${target})
    endif()
endfunction()

# vx_add_benchmark(TARGET SOURCES...): a program that measures speed, run by
# hand.  The sanitizers' build leaves it out of its default build (it would
# measure the sanitizers); it can still be built there by name.
function(vx_add_benchmark target)
    add_executable(${target} ${ARGN})
    if(VX_SANITIZE)
        set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL ON)
    endif()
endfunction()

# vx_native_gtests(TARGET [ENVIRONMENT VAR=VALUE]) registers a native
# GoogleTest program's tests with CTest: every case on its own, each in a
# fresh process, or with VX_TEST_EACH_CASE off the whole program as one test
# named after it, its cases one after another in one process.  The
# sanitizers' build runs them so: there a process takes a sixth of a second
# to start, more than most cases take to run.
function(vx_native_gtests target)
    cmake_parse_arguments(arg "" "ENVIRONMENT" "" ${ARGN})
    set(environment)
    if(arg_ENVIRONMENT)
        set(environment ENVIRONMENT "${arg_ENVIRONMENT}")
    endif()
    if(VX_TEST_EACH_CASE)
        gtest_discover_tests(${target} TEST_PREFIX "${VX_TEST_PREFIX}" DISCOVERY_TIMEOUT 60
            PROPERTIES ${environment})
    else()
        add_test(NAME ${VX_TEST_PREFIX}${target} COMMAND ${target})
        # Started before the single cases: a whole program is a long test.
        set_tests_properties(${VX_TEST_PREFIX}${target} PROPERTIES COST 20 ${environment})
    endif()
endfunction()

# vx_portable_linux_program(TARGET): for the Linux release, which carries the
# libraries it needs in bin/lib beside the program.  The C++ runtime is
# linked in (the GL driver brings the system's own, whatever its version;
# a module keeps its copy to itself) without its one call into a C library
# newer than 2.35, and the old-style run path $ORIGIN/lib, which also
# applies to the dependencies of those libraries, finds the carried ones
# before the system's.  GNU ld links them: LLD leaves the C++ runtime's own
# reference to arc4random unwrapped.  Other builds are left alone.
function(vx_portable_linux_program target)
    if(WIN32 OR EMSCRIPTEN OR VX_SANITIZE OR VX_FUZZ)
        return()
    endif()
    target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/app/shell/sdl/kaArc4randomWrap.cpp)
    target_link_options(${target} PRIVATE -fuse-ld=bfd -static-libstdc++ -static-libgcc
        -Wl,--wrap=arc4random -Wl,--disable-new-dtags -Wl,--exclude-libs,ALL)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "\$ORIGIN/lib")
endfunction()
