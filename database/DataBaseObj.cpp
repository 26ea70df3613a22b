// The game database container joins this file as its records land.
