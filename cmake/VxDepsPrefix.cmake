# Included by the cross toolchain files: the dependencies scripts/bootstrap
# built for the target VX_DEPS_TARGET lie in $VX_BUILD_ROOT/deps/TARGET, or in
# the tree's build/deps/TARGET, and are searched there.
if(DEFINED ENV{VX_BUILD_ROOT})
    set(VX_DEPS_PREFIX "$ENV{VX_BUILD_ROOT}/deps/${VX_DEPS_TARGET}")
else()
    get_filename_component(VX_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}/../build/deps/${VX_DEPS_TARGET}" ABSOLUTE)
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${VX_DEPS_PREFIX}")
