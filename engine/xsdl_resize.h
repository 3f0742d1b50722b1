#pragma once
// resizing filters.
//
// The resizers return a new surface that the caller owns and frees with
// SDL_FreeSurface, the source itself (factors 1 within 0.001: nothing new was
// made), or null (null source, result not creatable, a surface not lockable).

#include <SDL/SDL.h>

// The filter type: 0, 1 nearest; 2 area average (box); 3, 4 bilinear;
// 5, 6 bicubic; any other value nearest.
typedef int _xSDL_Resize_Type;

// Resizes by fx and fy. Takes the 25/32 area-average path for the exact
// 0.78125 reduction of images up to 1024 x 1024, whatever the type.
SDL_Surface* _xSDL_resize_by_fxy(const SDL_Surface* src, double fx, double fy, _xSDL_Resize_Type type);
SDL_Surface* _xSDL_resize_by_f(const SDL_Surface* src, double f, _xSDL_Resize_Type type);
SDL_Surface* _xSDL_resize_to(const SDL_Surface* src, int w, int h, _xSDL_Resize_Type type);

// True for a non-null source of at most 1024 x 1024 with |fy - fx| <= 0.001
// and |0.78125 - fx| <= 0.001.
bool _is_eligible_for_xSDL_resize_25x32(const SDL_Surface* src, double fx, double fy);

// The filters behind the dispatch. The 25/32 result is ceil(25 x size / 32) on each axis.
SDL_Surface* _xSDL_resize_25x32(const SDL_Surface* src);
SDL_Surface* _xSDL_resize_bilinear(const SDL_Surface* src, double fx, double fy);
SDL_Surface* _xSDL_resize_bicubic(const SDL_Surface* src, double fx, double fy);
