# Settings shared by every target of the project.

add_compile_options(-Wall -Wextra)

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
# sources and registers its tests with CTest.  Native programs have every test
# case listed on its own; Windows programs run as one CTest test under Wine.
function(vx_add_gtest target)
    add_executable(${target} ${ARGN})
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main vx_testsupport)
    if(CMAKE_CROSSCOMPILING)
        add_test(NAME ${VX_TEST_PREFIX}${target} COMMAND ${target})
        set_tests_properties(${VX_TEST_PREFIX}${target} PROPERTIES
            RESOURCE_LOCK wineprefix TIMEOUT 300)
    else()
        gtest_discover_tests(${target} TEST_PREFIX "${VX_TEST_PREFIX}"
            DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
