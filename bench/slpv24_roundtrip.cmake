# The round trip runs through the link library's entry points and, on the telephone's side, its
# protocol library; openpty comes from libutil.
target_link_libraries(bench_slpv24_roundtrip PRIVATE SlpV24 slpv24_core util)
