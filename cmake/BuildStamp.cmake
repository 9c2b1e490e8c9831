# Build stamps for the banner and the build line. string(TIMESTAMP) honours
# SOURCE_DATE_EPOCH, which makes reproducible builds carry the source date.
string(TIMESTAMP ORVEX_BUILD_DATE "%Y/%m/%d" UTC)
string(TIMESTAMP ORVEX_BUILD_DATE_TIME "%Y/%m/%d %H:%M:%S" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/build_stamp.h.in
               ${CMAKE_BINARY_DIR}/generated/build_stamp.h @ONLY)
