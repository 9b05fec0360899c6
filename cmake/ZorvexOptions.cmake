# One interface target carries the language level, warnings and Qt strictness
# so every library, tool, test and benchmark is built the same way.
add_library(zorvex_options INTERFACE)
target_compile_features(zorvex_options INTERFACE cxx_std_20)
target_compile_options(zorvex_options INTERFACE -Wall -Wextra)
if(ZORVEX_WERROR)
  target_compile_options(zorvex_options INTERFACE -Werror)
endif()
target_compile_definitions(zorvex_options INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CAST_TO_ASCII
  QT_NO_CAST_FROM_BYTEARRAY
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_NO_FOREACH
  QT_STRICT_ITERATORS
  QT_USE_QSTRINGBUILDER
  QT_DISABLE_DEPRECATED_BEFORE=0x060400)
if(ZORVEX_SANITIZE)
  target_compile_options(zorvex_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(zorvex_options INTERFACE -fsanitize=address,undefined)
endif()

# lld links several times faster than the default linker.
find_program(ZORVEX_LLD NAMES ld.lld)
if(ZORVEX_LLD)
  target_link_options(zorvex_options INTERFACE -fuse-ld=lld)
endif()
