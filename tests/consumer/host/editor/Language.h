#error "a header of the host was taken for the package's own"
