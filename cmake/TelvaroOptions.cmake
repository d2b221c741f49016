# Everything every Telvaro target shares: language level, warnings, Qt
# hygiene and the sanitizer switches. Link it PRIVATE/PUBLIC as needed.
add_library(telvaro_options INTERFACE)
target_compile_features(telvaro_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)

target_compile_options(telvaro_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow=local -Wnon-virtual-dtor
  -Woverloaded-virtual -Wimplicit-fallthrough -Wformat=2
  $<$<BOOL:${TELVARO_WERROR}>:-Werror>)

# Byte strings never turn into QString by accident, nor the reverse.
target_compile_definitions(telvaro_options INTERFACE
  QT_RESTRICTED_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_NO_KEYWORDS)

if(TELVARO_ASAN)
  target_compile_options(telvaro_options INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(telvaro_options INTERFACE -fsanitize=address,undefined)
endif()
if(TELVARO_TSAN)
  target_compile_options(telvaro_options INTERFACE -fsanitize=thread -fno-omit-frame-pointer)
  target_link_options(telvaro_options INTERFACE -fsanitize=thread)
endif()
if(TELVARO_FUZZ)
  target_compile_options(telvaro_options INTERFACE
    -fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  target_link_options(telvaro_options INTERFACE -fsanitize=address,undefined)
endif()
