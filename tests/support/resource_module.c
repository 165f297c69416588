/* A module that only carries the program's resources. */
