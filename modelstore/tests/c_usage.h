// The C half of the header's C compile check.
#ifndef KP_C_USAGE_H
#define KP_C_USAGE_H

#ifdef __cplusplus
extern "C" {
#endif

/* Number of failed checks on a model built and destroyed from C; 0 when all pass. */
int kp_c_usage_checks(void);

#ifdef __cplusplus
}
#endif

#endif
