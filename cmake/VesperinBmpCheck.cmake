# cmake -DBMP=file.bmp -P VesperinBmpCheck.cmake
# Fails unless the file is an uncompressed 24-bit bitmap without a palette:
# what the windows expect of every picture (no alpha, no colour table).
file(READ "${BMP}" header LIMIT 54 HEX)
string(LENGTH "${header}" length)
if(length LESS 108)
  message(FATAL_ERROR "${BMP}: shorter than a bitmap header")
endif()
# Little-endian fields of BITMAPFILEHEADER and BITMAPINFOHEADER, as hex.
string(SUBSTRING "${header}" 0 4 magic)          # "BM"
string(SUBSTRING "${header}" 28 8 info_size)     # biSize
string(SUBSTRING "${header}" 56 4 bit_count)     # biBitCount
string(SUBSTRING "${header}" 60 8 compression)   # biCompression
string(SUBSTRING "${header}" 92 8 colours_used)  # biClrUsed
if(NOT magic STREQUAL "424d")
  message(FATAL_ERROR "${BMP}: not a bitmap file")
endif()
if(NOT info_size STREQUAL "28000000")
  message(FATAL_ERROR "${BMP}: header is not a plain BITMAPINFOHEADER (size ${info_size})")
endif()
if(NOT bit_count STREQUAL "1800")
  message(FATAL_ERROR "${BMP}: not 24 bits per pixel (${bit_count})")
endif()
if(NOT compression STREQUAL "00000000")
  message(FATAL_ERROR "${BMP}: compressed or with bit fields (${compression})")
endif()
if(NOT colours_used STREQUAL "00000000")
  message(FATAL_ERROR "${BMP}: carries a colour table")
endif()
