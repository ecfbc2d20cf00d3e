// The libftdi1 stand-in (to be written).
