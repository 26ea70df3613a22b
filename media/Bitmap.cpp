// The picture model joins this file as it lands.
