# The link library's tests use its protocol library directly and its entry points through the
# shared library itself (which exports nothing else).
target_link_libraries(${_target} PRIVATE slpv24_core SlpV24 util)
