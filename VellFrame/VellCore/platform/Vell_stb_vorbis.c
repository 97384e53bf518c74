/* The one place the Ogg Vorbis decoder is compiled; the music player
   includes it with STB_VORBIS_HEADER_ONLY. */
#include <stb/stb_vorbis.h>
