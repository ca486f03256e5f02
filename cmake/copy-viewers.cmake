# Copies one viewer build to the ten numbered names the installed product uses.
foreach(n RANGE 0 9)
  file(COPY_FILE ${SOURCE} ${DIST}/Heapview${n}.exe)
endforeach()
