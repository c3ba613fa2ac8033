/* Test stand-in for the firmware library: declarations only. */

#ifndef QX_GPIO_H
#define QX_GPIO_H

#include "qx_types.h"

#define GPIO_PINS_0      ((uint16_t)0x0001)
#define GPIO_PINS_1      ((uint16_t)0x0002)
#define GPIO_PINS_2      ((uint16_t)0x0004)
#define GPIO_PINS_3      ((uint16_t)0x0008)
#define GPIO_PINS_4      ((uint16_t)0x0010)
#define GPIO_PINS_5      ((uint16_t)0x0020)
#define GPIO_PINS_6      ((uint16_t)0x0040)
#define GPIO_PINS_7      ((uint16_t)0x0080)
#define GPIO_PINS_8      ((uint16_t)0x0100)
#define GPIO_PINS_9      ((uint16_t)0x0200)
#define GPIO_PINS_10     ((uint16_t)0x0400)
#define GPIO_PINS_11     ((uint16_t)0x0800)
#define GPIO_PINS_12     ((uint16_t)0x1000)
#define GPIO_PINS_13     ((uint16_t)0x2000)
#define GPIO_PINS_14     ((uint16_t)0x4000)
#define GPIO_PINS_15     ((uint16_t)0x8000)
#define GPIO_PINS_ALL    ((uint16_t)0xFFFF)

typedef enum
{
  GPIO_PINS_SOURCE0,
  GPIO_PINS_SOURCE1,
  GPIO_PINS_SOURCE2,
  GPIO_PINS_SOURCE3,
  GPIO_PINS_SOURCE4,
  GPIO_PINS_SOURCE5,
  GPIO_PINS_SOURCE6,
  GPIO_PINS_SOURCE7,
  GPIO_PINS_SOURCE8,
  GPIO_PINS_SOURCE9,
  GPIO_PINS_SOURCE10,
  GPIO_PINS_SOURCE11,
  GPIO_PINS_SOURCE12,
  GPIO_PINS_SOURCE13,
  GPIO_PINS_SOURCE14,
  GPIO_PINS_SOURCE15
} gpio_pins_source_type;

typedef enum
{
  GPIO_MUX_0,
  GPIO_MUX_1,
  GPIO_MUX_2,
  GPIO_MUX_3,
  GPIO_MUX_4,
  GPIO_MUX_5,
  GPIO_MUX_6,
  GPIO_MUX_7,
  GPIO_MUX_8,
  GPIO_MUX_9,
  GPIO_MUX_10,
  GPIO_MUX_11,
  GPIO_MUX_12,
  GPIO_MUX_13,
  GPIO_MUX_14,
  GPIO_MUX_15
} gpio_mux_sel_type;

typedef enum
{
  GPIO_MODE_INPUT,
  GPIO_MODE_OUTPUT,
  GPIO_MODE_MUX,
  GPIO_MODE_ANALOG
} gpio_mode_type;

typedef enum
{
  GPIO_OUTPUT_PUSH_PULL,
  GPIO_OUTPUT_OPEN_DRAIN
} gpio_output_type;

typedef enum
{
  GPIO_PULL_NONE,
  GPIO_PULL_UP,
  GPIO_PULL_DOWN
} gpio_pull_type;

typedef enum
{
  GPIO_DRIVE_STRENGTH_STRONGER,
  GPIO_DRIVE_STRENGTH_MODERATE
} gpio_drive_type;

typedef struct
{
  uint32_t gpio_pins;
  gpio_output_type gpio_out_type;
  gpio_pull_type gpio_pull;
  gpio_mode_type gpio_mode;
  gpio_drive_type gpio_drive_strength;
} gpio_init_type;

typedef struct
{
  volatile uint32_t cfgr;
  volatile uint32_t odt;
} gpio_type;

extern gpio_type qx_gpioa;
#define GPIOA (&qx_gpioa)
extern gpio_type qx_gpiob;
#define GPIOB (&qx_gpiob)
extern gpio_type qx_gpioc;
#define GPIOC (&qx_gpioc)
extern gpio_type qx_gpiod;
#define GPIOD (&qx_gpiod)
extern gpio_type qx_gpioe;
#define GPIOE (&qx_gpioe)
extern gpio_type qx_gpiof;
#define GPIOF (&qx_gpiof)
extern gpio_type qx_gpiog;
#define GPIOG (&qx_gpiog)
extern gpio_type qx_gpioh;
#define GPIOH (&qx_gpioh)

void gpio_default_para_init(gpio_init_type *gpio_init_struct);
void gpio_init(gpio_type *gpio_x, gpio_init_type *gpio_init_struct);
void gpio_pin_mux_config(gpio_type *gpio_x, gpio_pins_source_type gpio_pin_source, gpio_mux_sel_type gpio_mux);

#endif
