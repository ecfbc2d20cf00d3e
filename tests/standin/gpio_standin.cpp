// The GPIO character device stand-in (to be written).
